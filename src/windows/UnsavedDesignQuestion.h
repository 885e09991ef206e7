#pragma once

#include <QString>

#include <functional>

class QWidget;

// Why a closing window cannot simply write its changed design to its file.
enum class UnsavedDesignReason {
    FileNotOurs,    // the file exists, and this window neither loaded nor wrote it
    FileUnreadable, // the file could not be read when the window opened it
    WriteFailed,    // writing the file failed
    SourceEdited,   // the Source page holds edited text that no file holds
};

enum class UnsavedDesignChoice { Replace, WriteElsewhere, Discard, Cancel };

// Asks the user what becomes of a changed design or edited source text that
// closing would lose, or would write over a file it does not own. Replace is
// offered only for FileNotOurs. Tests install a handler instead, so no modal box waits.
using UnsavedDesignHandler = std::function<UnsavedDesignChoice(
    QWidget *parent, const QString &fileName, UnsavedDesignReason reason)>;

UnsavedDesignChoice askAboutUnsavedDesign(QWidget *parent, const QString &fileName,
                                          UnsavedDesignReason reason);

// Installs handler (none restores the question box) and returns the one it
// replaces.
UnsavedDesignHandler setUnsavedDesignHandler(UnsavedDesignHandler handler);

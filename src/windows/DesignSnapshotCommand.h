#pragma once

#include <QByteArray>
#include <QStringList>
#include <QUndoCommand>

class ReportWindow;

// A design as one undo step keeps it: the stage's components as a stream,
// and the names of the components selected then.
struct DesignState
{
    QByteArray design;
    QStringList selection;
};

// One change of a design: undo puts the design back as it was before the
// change, redo as it was after. The change has already happened when the
// command is pushed, so its first redo does nothing.
class DesignSnapshotCommand : public QUndoCommand
{
public:
    DesignSnapshotCommand(ReportWindow *window, const QString &text, DesignState before,
                          DesignState after);

    void undo() override;
    void redo() override;

private:
    ReportWindow *m_window;
    DesignState m_before;
    DesignState m_after;
    bool m_done = true;
};

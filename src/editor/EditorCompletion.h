#pragma once

#include <QColor>
#include <QObject>
#include <QStringList>

class QsciScintilla;

// The word completion of a source editor: a popup list of the words of a
// word-list file, narrowed to those that begin with the text being typed;
// the chosen word replaces it. The typed text is taken back to a blank
// (".PR" finds ".PRINT") or, for words that do not match so, back to a
// token end character ("PR" finds "PRINT" after the dot).
class EditorCompletion : public QObject
{
    Q_OBJECT

public:
    // Characters that end the word being completed, besides blanks.
    static constexpr char16_t tokenEnd[] = u"()[].";

    explicit EditorCompletion(QsciScintilla *editor);

    // One word per line; false (and the words unchanged) when the file
    // cannot be read.
    bool loadWords(const QString &fileName);
    void setWords(const QStringList &words) { m_words = words; }
    const QStringList &words() const { return m_words; }

    int rows = 6;
    int width = 262;
    QColor selectedColour; // invalid: the system's highlight colour

    void show();

private:
    struct Typed
    {
        int wideStart;  // back to a blank or a bracket
        int tokenStart; // back to a blank or any token end character
        QString wide;
        QString token;
    };

    Typed typedBeforeCaret() const;
    QStringList matching(const Typed &typed) const;
    void insert(int id, const QString &word);
    void colourPopup();

    QsciScintilla *m_editor;
    QStringList m_words;
};

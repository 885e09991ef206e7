#pragma once

#include <QString>

class QsciScintilla;

// Finding and replacing plain text in an editor. A match is selected and
// scrolled into view; the search goes round the end of the text once.
// Replacing goes through the editor's own editing, so lines that a
// replacement does not touch keep their line objects.
class SourceSearch
{
public:
    struct Options
    {
        bool matchCase = false;
        bool wholeWord = false;
    };

    enum class Outcome { Found, FoundAfterWrapping, NotFound };

    explicit SourceSearch(QsciScintilla &editor) : m_editor(editor) {}

    // From the selection on, forward or backward.
    Outcome find(const QString &text, Options options, bool forward) const;
    // Replaces the selection when it is a match of text, then finds the next.
    Outcome replace(const QString &text, const QString &replacement, Options options) const;
    // Every match in the whole text, as one undoable step; the count.
    int replaceAll(const QString &text, const QString &replacement, Options options) const;

private:
    bool selectionMatches(const QString &text, Options options) const;
    long selectionEdge(unsigned int message) const;

    QsciScintilla &m_editor;
};

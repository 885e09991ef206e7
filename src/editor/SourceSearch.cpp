#include "editor/SourceSearch.h"

#include <Qsci/qsciscintilla.h>

SourceSearch::Outcome SourceSearch::find(const QString &text, Options options, bool forward) const
{
    if (text.isEmpty())
        return Outcome::NotFound;
    const long from = forward ? selectionEdge(QsciScintillaBase::SCI_GETSELECTIONEND)
                              : selectionEdge(QsciScintillaBase::SCI_GETSELECTIONSTART);
    // A backward search starts at the caret, which a forward match leaves
    // at its end: from there it would find the same match again.
    if (!forward)
        m_editor.SendScintilla(QsciScintillaBase::SCI_SETEMPTYSELECTION, from);
    if (!m_editor.findFirst(text, false, options.matchCase, options.wholeWord, true, forward))
        return Outcome::NotFound;
    const long match = selectionEdge(QsciScintillaBase::SCI_GETSELECTIONSTART);
    const bool wrapped = forward ? match < from : match >= from;
    return wrapped ? Outcome::FoundAfterWrapping : Outcome::Found;
}

bool SourceSearch::selectionMatches(const QString &text, Options options) const
{
    if (!m_editor.hasSelectedText())
        return false;
    const Qt::CaseSensitivity sensitivity =
        options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return m_editor.selectedText().compare(text, sensitivity) == 0;
}

SourceSearch::Outcome SourceSearch::replace(const QString &text, const QString &replacement,
                                            Options options) const
{
    if (selectionMatches(text, options))
        m_editor.replaceSelectedText(replacement);
    return find(text, options, true);
}

int SourceSearch::replaceAll(const QString &text, const QString &replacement, Options options) const
{
    if (text.isEmpty())
        return 0;
    int count = 0;
    m_editor.beginUndoAction();
    // From the start, without going round: a replacement that holds the
    // text is never searched again.
    bool found =
        m_editor.findFirst(text, false, options.matchCase, options.wholeWord, false, true, 0, 0);
    while (found) {
        m_editor.replaceSelectedText(replacement);
        ++count;
        found = m_editor.findFirst(text, false, options.matchCase, options.wholeWord, false, true);
    }
    m_editor.endUndoAction();
    return count;
}

long SourceSearch::selectionEdge(unsigned int message) const
{
    return m_editor.SendScintilla(message);
}

#include "editor/SourceEditor.h"

#include <QApplication>

#include <utility>

// The guard is asked before the editor changes its text: an insertion it
// refuses is emptied, a deletion it refuses meets a read-only text, which
// the editor's buffer checks once more after announcing the deletion.
void SourceEditor::guardModification(int position, int type, const char *text, int length)
{
    if (m_deletionRefused) {
        if (type & SC_MOD_DELETETEXT) {
            m_deletionRefused = false;
            SendScintilla(SCI_SETREADONLY, false);
        }
        return;
    }
    if (!m_changeGuard || m_unguarded > 0)
        return;
    // Only input asks for an insertion check; undo and redo do not.
    if (type & SC_MOD_INSERTCHECK) {
        if (!changeAllowed({position, 0, QByteArray(text, length)}))
            SendScintilla(SCI_CHANGEINSERTION, 0UL, "");
    } else if ((type & SC_MOD_BEFOREDELETE) && (type & SC_PERFORMED_USER)) {
        if (!changeAllowed({position, length, QByteArray()})) {
            m_deletionRefused = true;
            SendScintilla(SCI_SETREADONLY, true);
        }
    }
}

void SourceEditor::beginInput()
{
    m_inputRefused = false;
    m_inputAnchor = SendScintilla(SCI_GETANCHOR);
    m_inputCaret = SendScintilla(SCI_GETCURRENTPOS);
}

// A refused deletion still moves the caret as if the text had gone.
void SourceEditor::endInput()
{
    if (!std::exchange(m_inputRefused, false))
        return;
    SendScintilla(SCI_SETSEL, m_inputAnchor, m_inputCaret);
    QApplication::beep();
}

bool SourceEditor::changeAllowed(const TextChange &change)
{
    if (m_inputDepth > 0 && m_inputRefused)
        return false;
    if (m_changeGuard(change))
        return true;
    if (m_inputDepth > 0)
        m_inputRefused = true;
    return false;
}

int SourceEditor::lineAt(int position) const
{
    return int(SendScintilla(SCI_LINEFROMPOSITION, position));
}

int SourceEditor::lineStart(int line) const
{
    return int(SendScintilla(SCI_POSITIONFROMLINE, line));
}

int SourceEditor::lineEnd(int line) const
{
    return int(SendScintilla(SCI_GETLINEENDPOSITION, line));
}

#include "editor/SourceEditor.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

#include <utility>

// The guard is asked before the editor changes its text: an insertion it
// refuses is emptied, a deletion it refuses meets a read-only text, which
// the editor's buffer checks once more after announcing the deletion.
void SourceEditor::guardModification(int position, int type, int length)
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
    // Only input asks for an insertion check; undo and redo do not. The
    // check does not tell the text: the input does, when it can.
    if (type & SC_MOD_INSERTCHECK) {
        if (!changeAllowed({position, 0, m_inputText}))
            SendScintilla(SCI_CHANGEINSERTION, 0UL, "");
    } else if ((type & SC_MOD_BEFOREDELETE) && (type & SC_PERFORMED_USER)) {
        if (!changeAllowed({position, length, std::nullopt})) {
            m_deletionRefused = true;
            SendScintilla(SCI_SETREADONLY, true);
        }
    }
}

void SourceEditor::insertText(int position, const QString &text)
{
    const std::optional<QString> outer = std::exchange(m_inputText, text);
    SendScintilla(SCI_INSERTTEXT, static_cast<uintptr_t>(position), text.toUtf8().constData());
    m_inputText = outer;
}

std::optional<QString> SourceEditor::textOf(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<const QKeyEvent *>(event);
        if (key->matches(QKeySequence::Paste))
            return QApplication::clipboard()->text();
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return QStringLiteral("\n");
        if (key->key() == Qt::Key_Tab)
            return QStringLiteral("\t");
        if (!key->text().isEmpty() && key->text().at(0).isPrint())
            return key->text();
        return std::nullopt;
    }
    case QEvent::InputMethod:
        return static_cast<const QInputMethodEvent *>(event)->commitString();
    case QEvent::Drop: {
        const QMimeData *data = static_cast<const QDropEvent *>(event)->mimeData();
        return data ? std::optional<QString>(data->text()) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// Keys, typing through an input method, dropping, and the middle button's
// pasting of the selection.
bool SourceEditor::changesText(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::Drop:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        return true;
    default:
        return false;
    }
}

void SourceEditor::beginInput(const QEvent *event)
{
    m_inputText = textOf(event);
    m_inputRefused = false;
    m_inputAnchor = SendScintilla(SCI_GETANCHOR);
    m_inputCaret = SendScintilla(SCI_GETCURRENTPOS);
}

// A refused deletion still moves the caret as if the text had gone.
void SourceEditor::endInput()
{
    m_inputText.reset();
    if (!std::exchange(m_inputRefused, false))
        return;
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(m_inputAnchor), m_inputCaret);
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

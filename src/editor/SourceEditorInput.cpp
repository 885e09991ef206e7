#include "editor/SourceEditor.h"

#include "editor/EditorCompletion.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <functional>

namespace {

using Command = std::function<void(SourceEditor &)>;

const QHash<QString, Command> &namedCommands()
{
    static const QHash<QString, Command> commands = {
        {QStringLiteral("Undo"),
         [](SourceEditor &editor) {
             editor.undo();
         }},
        {QStringLiteral("Redo"),
         [](SourceEditor &editor) {
             editor.redo();
         }},
        {QStringLiteral("DeleteLine"),
         [](SourceEditor &editor) {
             editor.SendScintilla(QsciScintilla::SCI_LINEDELETE);
         }},
        {QStringLiteral("DeleteToEndOfLine"),
         [](SourceEditor &editor) {
             editor.SendScintilla(QsciScintilla::SCI_DELLINERIGHT);
         }},
        {QStringLiteral("Complete"),
         [](SourceEditor &editor) {
             editor.completion()->show();
         }},
    };
    return commands;
}

// "GotoBookmark3" gives 3 for the prefix "GotoBookmark"; -1 otherwise.
int bookmarkNumber(const QString &command, QStringView prefix)
{
    if (command.size() != prefix.size() + 1 || !command.startsWith(prefix))
        return -1;
    const QChar digit = command.back();
    return digit.isDigit() ? digit.digitValue() : -1;
}

} // namespace

bool SourceEditor::runCommand(const QString &name)
{
    if (const auto command = namedCommands().constFind(name); command != namedCommands().cend()) {
        (*command)(*this);
        return true;
    }
    if (const int number = bookmarkNumber(name, u"GotoBookmark"); number >= 0) {
        gotoBookmark(number);
        return true;
    }
    if (const int number = bookmarkNumber(name, u"SetBookmark"); number >= 0) {
        toggleBookmark(number);
        return true;
    }
    static const QHash<QString, int> selectionModes = {
        {QStringLiteral("NormalSelection"), SC_SEL_STREAM},
        {QStringLiteral("ColumnSelection"), SC_SEL_RECTANGLE},
        {QStringLiteral("LineSelection"), SC_SEL_LINES},
    };
    if (const auto mode = selectionModes.constFind(name); mode != selectionModes.cend()) {
        setSelectionMode(*mode);
        return true;
    }
    if (name == u"IndentBlock" || name == u"UnindentBlock") {
        indentBlock(name == u"IndentBlock");
        return true;
    }
    return false;
}

void SourceEditor::setSelectionMode(int mode)
{
    SendScintilla(SCI_SETSELECTIONMODE, mode);
}

void SourceEditor::indentBlock(bool indent)
{
    int lineFrom = 0;
    int indexFrom = 0;
    int lineTo = 0;
    int indexTo = 0;
    getSelection(&lineFrom, &indexFrom, &lineTo, &indexTo);
    if (lineFrom < 0) {
        getCursorPosition(&lineFrom, &indexFrom);
        lineTo = lineFrom;
    } else if (indexTo == 0 && lineTo > lineFrom) {
        --lineTo; // a selection ending at a line start leaves that line alone
    }
    beginUndoAction();
    for (int line = lineFrom; line <= lineTo; ++line) {
        if (indent)
            this->indent(line);
        else
            unindent(line);
    }
    endUndoAction();
}

// Key bindings, and then the frame window's menu shortcuts, come before
// the editor's standard keys: keys with Ctrl, Alt or Meta are left to the
// shortcuts first and reach keyPressEvent when none takes them.
bool SourceEditor::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
            event->ignore();
            return false;
        }
    }
    return handleInput(event, [this, event] { return QsciScintilla::event(event); });
}

// Drops arrive through the viewport.
bool SourceEditor::viewportEvent(QEvent *event)
{
    return handleInput(event, [this, event] { return QsciScintilla::viewportEvent(event); });
}

void SourceEditor::keyPressEvent(QKeyEvent *event)
{
    if (!isListActive()) {
        const QString command = m_keyBindings.commandFor(EditorKeyBindings::keyOf(event));
        if (!command.isEmpty() && runCommand(command)) {
            event->accept();
            return;
        }
        const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
        const bool plain = modifiers == Qt::NoModifier;
        const bool shifted = modifiers == Qt::ShiftModifier;
        if (event->key() == Qt::Key_Tab && plain && smartTab())
            return;
        if ((event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp)
            && (plain || shifted) && pageMove(event->key() == Qt::Key_PageDown, shifted)) {
            return;
        }
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && plain && hasOption(TrimTrailingBlanks)) {
            beginUndoAction();
            QsciScintilla::keyPressEvent(event);
            trimLineEndedByEnter();
            endUndoAction();
            return;
        }
    }
    QsciScintilla::keyPressEvent(event);
}

// The blanks the user left at the end of the line Enter just ended. Only
// what the user types is trimmed: text put into the editor keeps its
// trailing blanks, as it is written out.
void SourceEditor::trimLineEndedByEnter()
{
    const int line = int(SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS))) - 1;
    if (line < 0)
        return;
    const long start = SendScintilla(SCI_POSITIONFROMLINE, line);
    const long end = SendScintilla(SCI_GETLINEENDPOSITION, line);
    long kept = end;
    while (kept > start) {
        const auto c = char(SendScintilla(SCI_GETCHARAT, kept - 1));
        if (c != ' ' && c != '\t')
            break;
        --kept;
    }
    if (kept < end)
        SendScintilla(SCI_DELETERANGE, kept, end - kept);
}

// Tab with smart tabs: to the column of the next word start on the
// nearest non-blank line above, when there is one to the right.
bool SourceEditor::smartTab()
{
    if (!hasOption(SmartTabs) || !hasOption(TabsToSpaces) || hasSelectedText())
        return false;
    int line = 0;
    int index = 0;
    getCursorPosition(&line, &index);
    const int column = int(SendScintilla(SCI_GETCOLUMN, SendScintilla(SCI_GETCURRENTPOS)));
    for (int above = line - 1; above >= 0; --above) {
        const QString text = lineText(above);
        if (text.trimmed().isEmpty())
            continue;
        // Columns count a TAB to its tab stop: measure through the editor.
        for (qsizetype at = 1; at < text.size(); ++at) {
            if (text[at].isSpace() || !text[at - 1].isSpace())
                continue;
            const int target =
                int(SendScintilla(SCI_GETCOLUMN, positionFromLineIndex(above, int(at))));
            if (target > column) {
                insert(QString(target - column, u' '));
                setCursorPosition(line, index + (target - column));
                return true;
            }
        }
        return false;
    }
    return false;
}

// Page Up and Page Down by the configured page: the lines on screen, or
// half of them, less one when scrolling by one line less.
bool SourceEditor::pageMove(bool down, bool extend)
{
    int lines = int(SendScintilla(SCI_LINESONSCREEN));
    if (hasOption(HalfPageScrolling))
        lines /= 2;
    if (hasOption(ScrollOneLineLess))
        --lines;
    lines = std::max(1, lines);
    const unsigned int step = down ? (extend ? SCI_LINEDOWNEXTEND : SCI_LINEDOWN)
                                   : (extend ? SCI_LINEUPEXTEND : SCI_LINEUP);
    SendScintilla(SCI_LINESCROLL, 0, down ? lines : -lines);
    for (int count = 0; count < lines; ++count)
        SendScintilla(step);
    return true;
}

// The editor component makes a column selection with Ctrl held; users of
// this program hold Alt.
QMouseEvent SourceEditor::columnSelectionEvent(const QMouseEvent *event) const
{
    Qt::KeyboardModifiers modifiers = event->modifiers();
    if (hasOption(AltColumnSelection) && (modifiers & Qt::AltModifier))
        modifiers = (modifiers & ~Qt::AltModifier) | Qt::ControlModifier;
    return QMouseEvent(event->type(), event->position(), event->scenePosition(),
                       event->globalPosition(), event->button(), event->buttons(), modifiers,
                       event->pointingDevice());
}

void SourceEditor::mousePressEvent(QMouseEvent *event)
{
    QMouseEvent translated = columnSelectionEvent(event);
    QsciScintilla::mousePressEvent(&translated);
    event->setAccepted(translated.isAccepted());
}

void SourceEditor::mouseMoveEvent(QMouseEvent *event)
{
    QMouseEvent translated = columnSelectionEvent(event);
    QsciScintilla::mouseMoveEvent(&translated);
    event->setAccepted(translated.isAccepted());
    // The gutter shows a hand over the editor's own choice of cursor.
    if (event->buttons() == Qt::NoButton && event->position().x() < gutterExtent())
        viewport()->setCursor(Qt::PointingHandCursor);
}

int SourceEditor::gutterExtent() const
{
    int width = 0;
    for (int margin = 0; margin < margins(); ++margin)
        width += marginWidth(margin);
    return width;
}

void SourceEditor::mouseReleaseEvent(QMouseEvent *event)
{
    QMouseEvent translated = columnSelectionEvent(event);
    QsciScintilla::mouseReleaseEvent(&translated);
    event->setAccepted(translated.isAccepted());
}

void SourceEditor::contextMenuEvent(QContextMenuEvent *event)
{
    m_contextMenu->popup(event->globalPos());
    event->accept();
}

void SourceEditor::focusInEvent(QFocusEvent *event)
{
    SendScintilla(SCI_HIDESELECTION, false);
    QsciScintilla::focusInEvent(event);
}

void SourceEditor::focusOutEvent(QFocusEvent *event)
{
    if (hasOption(HideSelectionWithoutFocus))
        SendScintilla(SCI_HIDESELECTION, true);
    QsciScintilla::focusOutEvent(event);
}

bool SourceEditor::focusNextPrevChild(bool next)
{
    // Scintilla's own version always keeps the Tab key; skip it on purpose
    // so that Tab moves the focus when the editor does not want tabs.
    return m_wantTabs ? false
                      : QWidget::focusNextPrevChild(next); // NOLINT(bugprone-parent-virtual-call)
}

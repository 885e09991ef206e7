#include "editor/SourceEditor.h"

#include <QScopedValueRollback>

namespace {

bool endsLine(const char *text, int length)
{
    return text && length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r');
}

QString withoutLineEnd(QString text)
{
    while (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    return text;
}

} // namespace

// Keeps one object per line. Text inserted at the start of a line pushes
// that line (and its object) down; inserted elsewhere, the new lines follow
// the line. Deleting whole lines from a line start drops their objects;
// joining lines keeps the first line's object.
void SourceEditor::trackModification(int position, int type, const char *text, int length,
                                     int linesAdded)
{
    if (!(type & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT)) || linesAdded == 0)
        return;
    const int line = int(SendScintilla(SCI_LINEFROMPOSITION, position));
    const bool atLineStart = SendScintilla(SCI_POSITIONFROMLINE, line) == position;
    if (linesAdded > 0) {
        const int first = atLineStart ? line : line + 1;
        for (int count = 0; count < linesAdded; ++count)
            m_lineObjects.insert(std::min<qsizetype>(first, m_lineObjects.size()), LineObject());
    } else {
        const bool wholeLines = atLineStart && endsLine(text, length);
        const int first = wholeLines ? line : line + 1;
        m_lineObjects.remove(std::min<qsizetype>(first, m_lineObjects.size()),
                             std::min<qsizetype>(-linesAdded, m_lineObjects.size() - first));
    }
    m_lineObjects.resize(QsciScintilla::lines());
    refreshLineColours();
}

void SourceEditor::setLineColours(LineColours colours)
{
    m_lineColours = std::move(colours);
    for (int marker = FirstColourMarker; marker < FirstColourMarker + ColourMarkerCount; ++marker)
        markerDefine(Background, marker);
    refreshLineColours();
}

// Background markers would follow their lines by themselves, but a line
// deleted below one takes it over: they are placed anew from the objects.
void SourceEditor::refreshLineColours()
{
    if (!m_lineColours)
        return;
    QList<QColor> colours; // of the markers in use, by marker
    for (int marker = FirstColourMarker; marker < FirstColourMarker + ColourMarkerCount; ++marker)
        markerDeleteAll(marker);
    for (int line = 0; line < m_lineObjects.size(); ++line) {
        const QColor colour = m_lineColours(line, m_lineObjects[line]);
        if (!colour.isValid())
            continue;
        qsizetype index = colours.indexOf(colour);
        if (index < 0) {
            if (colours.size() == ColourMarkerCount)
                continue;
            index = colours.size();
            colours.append(colour);
            setMarkerBackgroundColor(colour, FirstColourMarker + int(index));
        }
        markerAdd(line, FirstColourMarker + int(index));
    }
}

CodeLines SourceEditor::lines() const
{
    CodeLines result;
    const int count = lineCount();
    result.reserve(count);
    for (int line = 0; line < count; ++line)
        result.add(lineText(line), m_lineObjects.value(line));
    return result;
}

void SourceEditor::setLines(const CodeLines &lines)
{
    const QScopedValueRollback<int> unguarded(m_unguarded, m_unguarded + 1);
    setText(lines.texts().join(u'\n'));
    takeLineObjects(lines);
}

void SourceEditor::replaceLines(const CodeLines &lines)
{
    beginUndoAction();
    selectAll();
    replaceSelectedText(lines.texts().join(u'\n'));
    endUndoAction();
    setCursorPosition(0, 0);
    takeLineObjects(lines);
}

void SourceEditor::takeLineObjects(const CodeLines &lines)
{
    m_lineObjects = QList<LineObject>(QsciScintilla::lines());
    // The editor may hold fewer lines than given: its text ends at a NUL.
    const qsizetype count = std::min<qsizetype>(lines.size(), m_lineObjects.size());
    for (int line = 0; line < count; ++line)
        m_lineObjects[line] = lines[line].object;
    refreshLineColours();
}

int SourceEditor::lineCount() const
{
    return SendScintilla(SCI_GETLENGTH) == 0 ? 0 : QsciScintilla::lines();
}

// The line as it stands, trailing blanks included: what the editor shows
// is what is written.
QString SourceEditor::lineText(int line) const
{
    return withoutLineEnd(text(line));
}

LineObject SourceEditor::lineObject(int line) const
{
    return m_lineObjects.value(line);
}

void SourceEditor::setLineObject(int line, const LineObject &object)
{
    if (line < 0 || line >= m_lineObjects.size())
        return;
    m_lineObjects[line] = object;
    refreshLineColours();
}

void SourceEditor::addLine(const QString &text, const LineObject &object)
{
    const QScopedValueRollback<int> unguarded(m_unguarded, m_unguarded + 1);
    if (lineCount() == 0) {
        setText(text);
    } else {
        // Appending may start at the start of an empty last line: keep the
        // objects of the lines that were there.
        QList<LineObject> objects = m_lineObjects;
        append(u'\n' + text);
        objects.append(LineObject());
        m_lineObjects = objects;
    }
    m_lineObjects.last() = object;
    refreshLineColours();
}

void SourceEditor::clearLines()
{
    const QScopedValueRollback<int> unguarded(m_unguarded, m_unguarded + 1);
    clear();
    m_lineObjects = QList<LineObject>(QsciScintilla::lines());
}

void SourceEditor::toggleBookmark(int number)
{
    if (number < 0 || number >= BookmarkCount)
        return;
    int line = 0;
    int column = 0;
    getCursorPosition(&line, &column);
    const int oldLine = bookmarkLine(number);
    if (oldLine >= 0)
        markerDeleteHandle(m_bookmarks[number]);
    m_bookmarks[number] = -1;
    if (oldLine == line)
        return;
    m_bookmarks[number] = markerAdd(line, number);
    m_bookmarkColumns[number] = column;
}

bool SourceEditor::gotoBookmark(int number)
{
    const int line = bookmarkLine(number);
    if (line < 0)
        return false;
    const int length = int(withoutLineEnd(text(line)).size());
    setCursorPosition(line, std::min(m_bookmarkColumns[number], length));
    ensureLineVisible(line);
    return true;
}

int SourceEditor::bookmarkLine(int number) const
{
    if (number < 0 || number >= BookmarkCount || m_bookmarks[number] < 0)
        return -1;
    return markerLine(m_bookmarks[number]);
}

int SourceEditor::addMark(int line, int image)
{
    return markerAdd(line, FirstMarkMarker + std::clamp(image, 0, BookmarkCount - 1));
}

int SourceEditor::markLine(int handle) const
{
    return markerLine(handle);
}

void SourceEditor::removeMark(int handle)
{
    markerDeleteHandle(handle);
}

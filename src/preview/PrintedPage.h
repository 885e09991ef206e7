#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Characters [start, start + length) of a printed line that print underlined,
// and the character a file underlines them with.
struct UnderlineSpan
{
    int start = 0;
    int length = 0;
    QChar character = QLatin1Char('_');

    bool operator==(const UnderlineSpan &other) const = default;
};

// One line as the report program writes it: trailing blanks trimmed. The
// line buffer hands lines over in this form; a page keeps them packed.
struct PrintedLine
{
    QString text;
    QList<UnderlineSpan> underlines;
};

// One page of printed output, lines from the top of the page. A form feed is
// written before the page when formFeedBefore is set (the report program's
// formfeeds), and after the last page when the run's output says so.
//
// A run keeps every page it prints, so a page costs about its printed size:
// the text of all its lines in one block of one byte a character, the end
// of each line, and the page's few underlined spans in one list. Lines can
// hold any character the source or the data gives; a page holding one
// beyond Latin-1 keeps its block in UTF-16 instead, so that every line reads
// back exactly, lone surrogates of a wrapped line included.
class PrintedPage
{
public:
    int number = 1; // the page number the report printed it under
    bool formFeedBefore = false;
    bool formFeedAfter = false; // the report's last page, when form feeds are on

    qsizetype lineCount() const { return m_lineEnds.size(); }
    bool isEmpty() const { return m_lineEnds.isEmpty(); }
    // Lines count from 0; a line that does not exist reads as empty.
    QString lineText(qsizetype index) const;
    qsizetype lineLength(qsizetype index) const;
    qsizetype widestLine() const;
    QList<UnderlineSpan> lineUnderlines(qsizetype index) const;
    // Text and underlines of a line, together.
    PrintedLine line(qsizetype index) const;

    void appendLine(QStringView text, const QList<UnderlineSpan> &underlines = {});
    void appendLine(const PrintedLine &line) { appendLine(line.text, line.underlines); }
    // Gives back the room kept for more lines, once the page is finished.
    void squeeze();

    // What the page holds apart from the object itself, for measuring.
    qsizetype storageBytes() const;

private:
    struct LineUnderline
    {
        int line = 0;
        UnderlineSpan span;
    };

    qsizetype lineStart(qsizetype index) const { return index > 0 ? m_lineEnds[index - 1] : 0; }
    void widen();

    // Latin-1 bytes, or UTF-16 code units when m_wide is set.
    QByteArray m_text;
    QList<int> m_lineEnds;             // in characters from the start of the page
    QList<LineUnderline> m_underlines; // in the order of their lines
    bool m_wide = false;
};

#pragma once

#include "preview/PrintedPage.h"

#include <QList>
#include <QString>

// The report program's line buffer: the current line and the lines below it
// that wrapping, multi-line formats and block mode fill, with a current
// position. Blanks never overwrite what is already there.
class LineBuffer
{
public:
    int position() const { return m_position; }
    void setPosition(int position) { m_position = std::max(position, 0); }
    int currentLine() const { return m_current; }
    void setCurrentLine(int line);
    int lastStartedLine() const { return m_started - 1; }
    bool isEmpty() const { return m_started == 0; }

    // Writes text at the position and moves on by its length, wrapping at
    // rightMargin onto the next line at leftMargin. A non-null underline is
    // the character that underlines what is written.
    void write(const QString &text, QChar underline, int leftMargin, int rightMargin);
    // Writes text at a column of a line below the current one without moving.
    void writeAt(int lineOffset, int column, const QString &text, QChar underline);
    // Column just after the last non-blank character of the current line.
    int lineEnd() const;

    // The started lines, blanks trimmed, and an empty buffer at line 0.
    QList<PrintedLine> take();

private:
    struct Line
    {
        QString text;
        QString underlines; // the underline character of each column; empty when none is
    };
    Line &line(int index);
    static void put(Line &target, int column, QStringView text, QChar underline);

    // The first m_started lines are in use; the ones after them keep their
    // room for the lines of the next rows.
    QList<Line> m_lines;
    int m_started = 0;
    int m_current = 0;
    int m_position = 0;
};

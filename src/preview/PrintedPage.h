#pragma once

#include <QList>
#include <QString>

// Characters [start, start + length) of a printed line that print underlined,
// and the character a file underlines them with.
struct UnderlineSpan
{
    int start = 0;
    int length = 0;
    QChar character = QLatin1Char('_');
};

// One line as the report program writes it: trailing blanks trimmed.
struct PrintedLine
{
    QString text;
    QList<UnderlineSpan> underlines;
};

// One page of printed output, lines from the top of the page. A form feed is
// written before the page when formFeedBefore is set (the report program's
// formfeeds), and after the last page when the run's output says so.
struct PrintedPage
{
    int number = 1; // the page number the report printed it under
    bool formFeedBefore = false;
    bool formFeedAfter = false; // the report's last page, when form feeds are on
    QList<PrintedLine> lines;
};

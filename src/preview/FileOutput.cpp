#include "preview/FileOutput.h"

QByteArray FileOutput::pageBytes(const PrintedPage &page)
{
    QByteArray bytes;
    if (page.formFeedBefore)
        bytes += '\f';
    for (qsizetype index = 0; index < page.lineCount(); ++index) {
        const PrintedLine line = page.line(index);
        if (!line.underlines.isEmpty()) {
            QString marks(line.text.size(), QLatin1Char(' '));
            for (const UnderlineSpan &span : line.underlines)
                marks.replace(span.start, span.length, QString(span.length, span.character));
            while (marks.endsWith(QLatin1Char(' ')))
                marks.chop(1);
            bytes += marks.toUtf8() + '\r';
        }
        bytes += line.text.toUtf8() + '\n';
    }
    if (page.formFeedAfter)
        bytes += "\f\n";
    return bytes;
}

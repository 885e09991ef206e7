#include "windows/PreviewText.h"

QByteArray previewFileText(const QList<PrintedPage> &pages)
{
    QByteArray text;
    for (const PrintedPage &page : pages) {
        if (page.formFeedBefore)
            text += '\f';
        for (const PrintedLine &line : page.lines) {
            if (!line.underlines.isEmpty()) {
                QString under(line.text.size(), u' ');
                for (const UnderlineSpan &span : line.underlines) {
                    for (int column = span.start; column < span.start + span.length; ++column) {
                        if (column >= 0 && column < under.size())
                            under[column] = u'_';
                    }
                }
                while (under.endsWith(u' '))
                    under.chop(1);
                if (!under.isEmpty())
                    text += under.toUtf8() + '\r';
            }
            text += line.text.toUtf8() + '\n';
        }
    }
    return text;
}

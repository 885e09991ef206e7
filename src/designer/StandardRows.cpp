#include "designer/StandardRows.h"

QStringList StandardRows::lines() const
{
    const struct
    {
        bool shown;
        const char *name;
        const QString &caption;
    } rows[] = {
        {showCaption, "Caption", captionCaption},
        {showColor, "Color", colorCaption},
        {showFont, "Font", fontCaption},
        {showHeight, "Height", heightCaption},
        {showLeft, "Left", leftCaption},
        {showName, "Name", nameCaption},
        {showTop, "Top", topCaption},
        {showWidth, "Width", widthCaption},
    };
    QStringList result;
    for (const auto &row : rows) {
        if (!row.shown)
            continue;
        const QString name = QString::fromLatin1(row.name);
        result.append(row.caption.isEmpty() ? name : name + u'|' + row.caption);
    }
    return result;
}

namespace StandardRowLists {

void split(const QStringList &lines, QStringList &names, QStringList &captions)
{
    names.clear();
    captions.clear();
    for (const QString &line : lines) {
        const qsizetype bar = line.indexOf(u'|');
        names.append(bar < 0 ? line : line.left(bar));
        captions.append(bar < 0 ? line : line.mid(bar + 1));
    }
}

qsizetype indexOfName(const QStringList &names, QStringView name)
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace StandardRowLists

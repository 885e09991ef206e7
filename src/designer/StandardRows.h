#pragma once

#include <QString>
#include <QStringList>

// The standard rows an inspector may list before its own property lines;
// each has a switch and a caption (empty: the property's own name).
struct StandardRows
{
    bool showName = false;
    QString nameCaption;
    bool showCaption = false;
    QString captionCaption;
    bool showColor = false;
    QString colorCaption;
    bool showTop = false;
    QString topCaption;
    bool showLeft = false;
    QString leftCaption;
    bool showWidth = false;
    QString widthCaption;
    bool showHeight = false;
    QString heightCaption;
    bool showFont = false;
    QString fontCaption;

    // "Name|Caption" lines of the switched-on rows, always in the order
    // caption, Color, Font, Height, Left, Name, Top, Width.
    QStringList lines() const;
};

namespace StandardRowLists {

// Splits each "name|caption" line at its first bar; a line without a bar
// is both name and caption.
void split(const QStringList &lines, QStringList &names, QStringList &captions);

// The first index of a name without regard to case, or -1.
qsizetype indexOfName(const QStringList &names, QStringView name);

} // namespace StandardRowLists

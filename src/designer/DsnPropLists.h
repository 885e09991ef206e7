#pragma once

#include <QString>
#include <QStringList>

// The standard rows an inspector may list before its own property lines;
// each has a switch and a caption (empty: the property's own name).
struct TShowProps
{
    bool aName = false;
    QString aNameCp;
    bool aCaption = false;
    QString aCaptionCp;
    bool aColor = false;
    QString aColorCp;
    bool aTop = false;
    QString aTopCp;
    bool aLeft = false;
    QString aLeftCp;
    bool aWidth = false;
    QString aWidthCp;
    bool aHeight = false;
    QString aHeightCp;
    bool aFont = false;
    QString aFontCp;

    // "Name|Caption" lines of the switched-on rows, always in the order
    // Caption, Color, Font, Height, Left, Name, Top, Width.
    QStringList lines() const;
};

namespace PropLists {

// Splits each "name|caption" line at its first bar; a line without a bar
// is both name and caption.
void split(const QStringList &lines, QStringList &names, QStringList &captions);

// The first index of a name without regard to case, or -1.
qsizetype indexOfName(const QStringList &names, QStringView name);

} // namespace PropLists

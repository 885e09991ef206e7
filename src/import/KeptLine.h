#pragma once

#include <QString>

// A line of the source that the import kept as Report-Writer code rather
// than as a band, an item or a page property, and where it went.
struct KeptLine
{
    int line = 1;  // counted from 1
    QString where; // a component's name, or a section of the page
    QString text;
};

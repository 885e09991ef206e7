#pragma once

#include <QFont>
#include <QStringList>

#include <functional>

class QPagedPaintDevice;

// Prints text lines one below the other in a font, starting a new page
// when a page is full. afterLine runs after each line; returning false
// there ends the job with what was printed so far. The job ends in any
// case; false when the device could not be painted on.
bool printLines(QPagedPaintDevice &device, const QStringList &lines, const QFont &font,
                const std::function<bool()> &afterLine);

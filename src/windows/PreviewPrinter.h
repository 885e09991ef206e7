#pragma once

#include "preview/PrintedPage.h"

#include <QList>

#include <functional>

class QPagedPaintDevice;

// Prints preview pages, each printed page on a page of its own, in a
// fixed-pitch font sized so that the widest line and the longest page fit
// the paper; underlined spans are underlined. A page longer than the paper
// goes on over the next sheet. afterPage runs after each page; false there
// ends the job with what was printed so far. False when the device could
// not be painted on.
bool printPreviewPages(QPagedPaintDevice &device, const QList<PrintedPage> &pages,
                       const std::function<bool()> &afterPage);

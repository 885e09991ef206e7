#pragma once

#include "preview/PrintedPage.h"

#include <QByteArray>
#include <QList>

// Preview pages as the report program writes them to a file: UTF-8 lines
// ending in LF, underlining by overstrike (the underline characters, a
// carriage return, then the text), a form feed before each page that
// starts with one.
QByteArray previewFileText(const QList<PrintedPage> &pages);

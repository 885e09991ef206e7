#pragma once

#include "preview/PrintedPage.h"

#include <QByteArray>

// Printed pages as the report program writes them to a file: underlining by
// overstrike (the underline characters, a carriage return, the text), form
// feeds as bytes, UTF-8.
namespace FileOutput {

QByteArray pageBytes(const PrintedPage &page);

} // namespace FileOutput

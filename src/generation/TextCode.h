#pragma once

#include "model/CodeLines.h"

#include <QStringView>

#include <optional>

struct GenerationWindow;
class TextItem;

// The code lines of a text item: its before code, its statements
// (brackets, line break, position, underlining, print) and its after code,
// starting at the given level. A fresh list on each call.
CodeLines generateTextCode(const GenerationWindow &window, TextItem *item, bool breaks, int level,
                           bool withPrintCode, int breakCount);

// The same lines, appended to a list that gathers more than one item.
void appendTextCode(CodeLines &lines, const GenerationWindow &window, TextItem *item, bool breaks,
                    int level, bool withPrintCode, int breakCount);

// Rewrites the item's subTextCode with its own statements at level 0,
// without before and after code or line break.
void generateTextSubCode(const GenerationWindow &window, TextItem *item);

// The caption a text item's ".PRINT" line prints, as the user may have
// edited it: the text after the keyword and one blank, without the item's
// own "(format)" suffix. Nothing for a line that is no ".PRINT" line.
std::optional<QString> captionFromPrintLine(QStringView line, const QString &format);

#pragma once

#include "import/KeptLine.h"
#include "import/SourceLines.h"

class ReportPage;

// The report's own lines, from the top of the source to the first section
// heading (end): the comment block, .NAME, .OUTPUT and .SHORTREMARK go to
// the page's properties, everything else, as it stands and in its order,
// to the page's section lists, each statement to its own list where the
// order of the lists allows it.
// endsOpen: the text's last line leaves a string, comment or parenthesis
// open, whose token takes in the blanks at the end: it stays as written.
void importPageLines(const QList<SourceLine> &lines, int end, bool endsOpen, ReportPage *page,
                     QList<KeptLine> &kept);

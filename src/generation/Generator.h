#pragma once

#include "generation/GenerationOutlet.h"

#include <QLatin1StringView>
#include <QList>

class QWidget;
class ReportPage;

// The message of a generation that failed, shown by generateSource.
inline constexpr QLatin1StringView CannotShowEditWindow("ERROR: Cannot show edit window.");

// Generates the window's page into its pageCode and replaces the source
// editor's text by it. Any failure is reported through the window's
// showMessage; false then, and what was done so far stays.
bool generateSource(const GenerationWindow &window);

// Rebuilds the page's pageCode: comments, header lines, the raw report
// sections and the sections of the page's children.
void generatePageCode(const GenerationWindow &window, ReportPage *page);

// Appends the code of every child in sectionOrder to pageCode, showing
// progress.
void generateSections(const GenerationWindow &window, ReportPage *page);

// The page's children that are emitted, in emission order: report, page
// and other headers, break headers, details, break footers, other, page
// and report footers, then the page's code blocks.
QList<QWidget *> sectionOrder(const ReportPage *page);

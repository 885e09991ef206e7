#pragma once

#include "generation/GenerationOutlet.h"

#include <QLatin1StringView>
#include <QList>

class QWidget;
class TmPage;

// The message of a generation that failed, shown by GenerateSource.
inline constexpr QLatin1StringView CannotShowEditWindow("ERROR: Cannot show edit window.");

// Generates the window's page into its PageCode and replaces the source
// editor's text by it. Any failure is reported through the window's
// showMessage; false then, and what was done so far stays.
bool GenerateSource(const GenerationWindow &window);

// Rebuilds the page's PageCode: comments, header lines, the raw report
// sections and the sections of the page's children.
void GeneratePageCode(const GenerationWindow &window, TmPage *page);

// Appends the code of every child in SectionOrder to PageCode, showing
// progress.
void GenerateSections(const GenerationWindow &window, TmPage *page);

// The page's children that are emitted, in emission order: report, page
// and other headers, break headers, details, break footers, other, page
// and report footers, then the page's code blocks.
QList<QWidget *> SectionOrder(const TmPage *page);

#pragma once

#include <QStringList>

// The statements of a Report-Writer text in order, each written one way
// (primary name, then its arguments' tokens separated by one blank), so
// that two texts that differ only in spelling, layout and comments compare
// equal.
namespace StatementSequence {

// Every statement of the text.
QStringList of(const QStringList &lines);

// The same without the positioning statements that a design derives from
// where its items lie: .TAB, .NEWLINE, .NEED and the margins and page size.
QStringList withoutPositioning(const QStringList &lines);

// The statements without positioning, one entry per section: first the
// report's own, then each section's from its heading on, the sections
// sorted (generation orders them by kind, not as the text had them).
QStringList sectionsWithoutPositioning(const QStringList &lines);

} // namespace StatementSequence

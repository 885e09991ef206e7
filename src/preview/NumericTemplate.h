#pragma once

#include <QString>

// Numeric templates such as "$$$,$$$.nn" or "zzz,zzz.nnnnn": n a digit or
// 0, z a digit or blank, $ a digit or the floating currency sign, * a digit
// or a star, - and + signs (floating when repeated), ( ) < > { } [ ] cr db
// for negatives, , and . as separators, \x a literal x. A value with more
// digits than the template holds prints as stars over the whole width.
namespace NumericTemplate {

// The printed text, always as long as the template prints.
QString format(double value, const QString &pattern);

// The printed width of the template.
int width(const QString &pattern);

// Why the template cannot be used; empty when it can.
QString problem(const QString &pattern);

} // namespace NumericTemplate

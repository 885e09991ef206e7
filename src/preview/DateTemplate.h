#pragma once

#include <QDateTime>
#include <QString>

// Date templates written as an example of Sunday, 1901 February 3,
// 4:05:06 p.m.: 1901/01 the year, 02/2 the month, 03/3 the day, 04/4 the
// hour (16 for 24 hours), 05 the minute, 06 the second, Feb/February the
// month's name, Sun/Sunday the day's, p.m./pm/p the half of the day, 3rd
// the day with its ordinal; anything else prints as written.
namespace DateTemplate {

QString format(const QDateTime &when, const QString &pattern);

// The printed width for a value (the template's own width for most).
int width(const QString &pattern);

} // namespace DateTemplate

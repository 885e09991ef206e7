#pragma once

#include <QString>
#include <QStringList>

// Starting the programs outside the designer: the report program, the text
// editor and the terminal. A program setting may carry arguments of its
// own; it and the parameter text are split into words as a shell would
// (quotes group, no expansion). Programs start in the current directory
// and the designer does not wait for them.
namespace ExternalPrograms {

// The report program's parameter text: "[VNODE::]DATABASE -i~tmp.rw -uUSER",
// plain concatenation of the untrimmed values. The node is left out when
// it is blank.
QString reportParameters(const QString &vnode, const QString &database, const QString &user);

// A value without anything but blanks and control characters.
bool isBlank(const QString &value);

// The words a program setting and its parameter text give: program first.
QStringList commandWords(const QString &program, const QString &parameters = QString());

// Starts the program; false when there is nothing to start or it cannot be.
bool start(const QString &program, const QString &parameters = QString());

} // namespace ExternalPrograms

#pragma once

#include <QString>
#include <QStringList>

// Starting the programs outside the designer: the report program, the text
// editor and the terminal. A program setting may carry arguments of its
// own; it is split into words as a shell would (quotes group, no
// expansion). Programs start in the current directory and the designer
// does not wait for them.
namespace ExternalPrograms {

// The report program's arguments, "[VNODE::]DATABASE", "-i~tmp.rw" and
// "-uUSER": each value goes into exactly one of them. The node is left out
// when it is blank.
QStringList reportArguments(const QString &vnode, const QString &database, const QString &user);

// Why a value cannot go to the report program as one word of its own,
// naming the property: it holds a blank, a line break or another control
// character, or starts with "-" and would be taken for an option. Empty
// when it may go. An empty value may.
QString unsafeReportValue(const QString &property, const QString &value);

// A value without anything but blanks and control characters.
bool isBlank(const QString &value);

// The words a program setting gives, then the arguments: program first.
QStringList commandWords(const QString &program, const QStringList &arguments = {});

// Starts the program; false when there is nothing to start or it cannot be.
bool start(const QString &program, const QStringList &arguments = {});

} // namespace ExternalPrograms

#pragma once

#include "check/CheckProblem.h"
#include "model/CodeLines.h"

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

// A problem of generated source, with the design component that wrote the
// line it is on: a band, break band, text item or code block. Lines of the
// page and code the user typed name none.
struct SourceProblem
{
    CheckProblem problem;
    QPointer<QWidget> component;
};

// The Report-Writer check of the source generated from a design.
namespace GeneratedSourceCheck {

// The lines as a file holds them: UTF-8, each line ending in LF.
QByteArray fileText(const QStringList &lines);

// The problems of the lines, ordered by line.
QList<SourceProblem> check(const CodeLines &lines);

} // namespace GeneratedSourceCheck

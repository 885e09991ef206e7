#pragma once

#include "check/CheckProblem.h"
#include "import/KeptLine.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class ComponentOwner;
class QWidget;
class ReportPage;

// A Report-Writer source made into a design: the inverse of generation.
// The report's own statements become the page's properties and sections,
// each section a band or break band, each printed value a text item where
// it prints; everything else stays code where it runs. Nothing is
// dropped: generating the design gives the source's statements again, in
// their order, and the source itself when generation wrote it.
namespace ReportImport {

// Far beyond any report written by hand; a larger text would make more
// components than the design surface can show.
inline constexpr qint64 MaxSourceSize = qint64(16) * 1024 * 1024;

struct Result
{
    ReportPage *page = nullptr; // named mPage1, on the stage, owned by it
    QList<KeptLine> keptAsCode;
    QList<CheckProblem> problems; // of the check, and of reading the text
};

// The source's bytes, or nothing and why not in *error: the file cannot
// be read, is no regular file, or is larger than MaxSourceSize.
std::optional<QByteArray> readSource(const QString &fileName, QString *error);

// Builds the page of the source on the stage; its components belong to
// the owner.
Result importSource(QByteArrayView text, ComponentOwner &owner, QWidget *stage);

// One line for each kept line ("12: kept as code in mBand2: .LET x = 1")
// and for each problem ("3: warning: ...").
QStringList describe(const Result &result);

} // namespace ReportImport

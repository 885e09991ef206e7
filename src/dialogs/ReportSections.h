#pragma once

#include "model/CodeLines.h"

#include <QString>
#include <QStringList>

class CodeDialogHost;
class QWidget;
class ReportPage;

// The report-level sections the design surface cannot draw (query, sort
// order, declarations ...): lists of the page that generation copies into
// the source unchanged, each edited in the code editor window from its
// button in the object inspector.
struct ReportSection
{
    QString button; // the inspector's property name, and the section name
    CodeLines ReportPage::*list;
    QString caption;          // of the dialog
    QStringList keywordLines; // what an empty list starts with
};

// The section of an inspector button, compared exactly; null for others.
// "Table" edits the Query list.
const ReportSection *reportSection(const QString &button);

// Gives an empty section its keyword line or lines, each carrying the page;
// a list with any line at all, even a blank one, is left alone.
void primeSection(ReportPage *page, const ReportSection &section);

// For a page: primes the section, shows its lines in the code editor
// window and on OK replaces the list by the editor's lines. Priming stays
// after Cancel. Other components: nothing.
void editReportSection(CodeDialogHost &host, QWidget *component, const ReportSection &section);

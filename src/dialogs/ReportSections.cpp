#include "dialogs/ReportSections.h"

#include "dialogs/CodeDialogSession.h"
#include "dialogs/CodeEditorWindow.h"

#include "generation/Keywords.h"

#include "model/ReportPage.h"

namespace {

QString keyword(QLatin1StringView word)
{
    return QString(word);
}

const QList<ReportSection> &sections()
{
    static const QList<ReportSection> table = {
        {QStringLiteral("Break"),
         &ReportPage::breakSection,
         QStringLiteral("Report Break Section"),
         {keyword(Keywords::Break)}},
        {QStringLiteral("Cleanup"),
         &ReportPage::cleanup,
         QStringLiteral("Report Cleanup Section"),
         {keyword(Keywords::Cleanup)}},
        {QStringLiteral("Data"),
         &ReportPage::data,
         QStringLiteral("Report Data Section"),
         {keyword(Keywords::Data)}},
        {QStringLiteral("Declare"),
         &ReportPage::declare,
         QStringLiteral("Report Declare Section"),
         {keyword(Keywords::Declare)}},
        {QStringLiteral("Include"),
         &ReportPage::include,
         QStringLiteral("Report Include Section"),
         {keyword(Keywords::Include)}},
        {QStringLiteral("LongRemark"),
         &ReportPage::longRemark,
         QStringLiteral("Report Long Remark Section"),
         {keyword(Keywords::LongRemark), QString(), keyword(Keywords::EndRemark)}},
        {QStringLiteral("Query"),
         &ReportPage::query,
         QStringLiteral("Report Query Section"),
         {keyword(Keywords::Query)}},
        {QStringLiteral("Setup"),
         &ReportPage::setup,
         QStringLiteral("Report Setup Section"),
         {keyword(Keywords::Setup)}},
        {QStringLiteral("Sort"),
         &ReportPage::sort,
         QStringLiteral("Report Sort Section"),
         {keyword(Keywords::Sort)}},
        {QStringLiteral("Table"),
         &ReportPage::query,
         QStringLiteral("Report Query Section"),
         {keyword(Keywords::Query)}},
        // Comments are shown as typed; generation adds the comment marks.
        {QStringLiteral("Comments"),
         &ReportPage::comments,
         QStringLiteral("Report Comments Section"),
         {}},
    };
    return table;
}

} // namespace

const ReportSection *reportSection(const QString &button)
{
    for (const ReportSection &section : sections()) {
        if (section.button == button)
            return &section;
    }
    return nullptr;
}

void primeSection(ReportPage *page, const ReportSection &section)
{
    CodeLines &list = page->*section.list;
    if (!list.isEmpty())
        return;
    for (const QString &line : section.keywordLines)
        list.add(line, page);
}

void editReportSection(CodeDialogHost &host, QWidget *component, const ReportSection &section)
{
    auto *page = qobject_cast<ReportPage *>(component);
    if (!page)
        return;
    CodeDialogSession session(host);
    if (!session.dialog())
        return;
    primeSection(page, section);
    session.fill([&](CodeEditorWindow &dialog) { dialog.addCodeLines(page->*section.list); });
    session.dialog()->setWindowTitle(section.caption);
    if (session.run())
        page->*section.list = session.dialog()->allLines();
}

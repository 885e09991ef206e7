#include "dialogs/ObjectCodeDialog.h"

#include "dialogs/CodeDialogHost.h"
#include "dialogs/CodeDialogSession.h"
#include "dialogs/CodeEditorWindow.h"

#include "generation/BandCode.h"
#include "generation/Generator.h"
#include "generation/TextCode.h"

#include "model/ReportClasses.h"

#include <QPointer>

#include <functional>
#include <optional>

namespace {

using SectionMark = CodeEditorWindow::SectionMark;

// What a dialog shows for one kind of component, and what OK keeps.
struct CodeDialogKind
{
    QString caption;
    std::function<void(CodeEditorWindow &)> fill;
    std::function<void(const CodeEditorWindow &)> apply;
};

CodeDialogKind pageDialog(CodeDialogHost &host, ReportPage *page)
{
    const QPointer<ReportPage> live(page);
    return {
        QStringLiteral("Report"),
        [&host, live](CodeEditorWindow &dialog) {
            // Each band's item marks follow the report lines generated
            // before the band.
            dialog.setLinesBeforeGeneratedCode(
                [live] { return live ? int(live->pageCode.size()) : 0; });
            host.generateForDialog(
                [live](const GenerationWindow &window) { generatePageCode(window, live); });
            dialog.addCodeLines(live->pageCode);
        },
        [live](const CodeEditorWindow &dialog) {
            if (live)
                live->pageCode = dialog.allLines();
        },
    };
}

// The regions of a band or text item: before lines, the generated block
// between the section marks, after lines; OK keeps the first and the last.
template<class Component>
CodeDialogKind sectionDialog(const QString &caption, Component *component,
                             const std::function<const CodeLines &()> &generate)
{
    const QPointer<Component> live(component);
    return {
        caption,
        [live, generate](CodeEditorWindow &dialog) {
            dialog.addCodeLines(live->beforePrint, SectionMark::Start);
            dialog.addCodeLines(generate(), SectionMark::End);
            dialog.addCodeLines(live->afterPrint);
        },
        [live](const CodeEditorWindow &dialog) {
            if (!live)
                return;
            live->beforePrint = dialog.linesBeforeSection();
            live->afterPrint = dialog.linesAfterSection();
        },
    };
}

template<class BandClass>
CodeDialogKind bandDialog(CodeDialogHost &host, BandClass *band,
                          void (*generate)(const GenerationWindow &, BandClass *, bool, int))
{
    const QPointer<BandClass> live(band);
    const QString caption =
        QStringLiteral("Section: ") + band->typeWord() + u' ' + band->typeField();
    return sectionDialog<BandBase>(caption, band, [&host, live, generate]() -> const CodeLines & {
        host.generateForDialog(
            [live, generate](const GenerationWindow &window) { generate(window, live, false, 0); });
        return live->bandCode;
    });
}

CodeDialogKind textDialog(CodeDialogHost &host, TextItem *item)
{
    const QPointer<TextItem> live(item);
    return sectionDialog<TextItem>(
        QStringLiteral("Text"), item, [&host, live]() -> const CodeLines & {
            host.generateForDialog(
                [live](const GenerationWindow &window) { generateTextSubCode(window, live); });
            return live->subTextCode;
        });
}

CodeDialogKind blockDialog(CodeBlock *block)
{
    const QPointer<CodeBlock> live(block);
    return {
        QStringLiteral("Block Code"),
        [live](CodeEditorWindow &dialog) { dialog.addCodeLines(live->code()); },
        [live](const CodeEditorWindow &dialog) {
            if (live)
                live->setCode(dialog.allLines()); // the caption follows
        },
    };
}

std::optional<CodeDialogKind> dialogFor(CodeDialogHost &host, QWidget *component)
{
    if (auto *page = qobject_cast<ReportPage *>(component))
        return pageDialog(host, page);
    if (auto *band = qobject_cast<Band *>(component))
        return bandDialog<Band>(host, band, &generateBandCode);
    if (auto *band = qobject_cast<BreakBand *>(component))
        return bandDialog<BreakBand>(host, band, &generateBreakBandCode);
    if (auto *item = qobject_cast<TextItem *>(component))
        return textDialog(host, item);
    if (auto *block = qobject_cast<CodeBlock *>(component))
        return blockDialog(block);
    return std::nullopt;
}

} // namespace

void openCodeDialog(CodeDialogHost &host, QWidget *component)
{
    const std::optional<CodeDialogKind> kind = dialogFor(host, component);
    if (!kind)
        return;
    CodeDialogSession session(host);
    if (!session.fill(kind->fill))
        return;
    QObject::connect(session.dialog(), &CodeEditorWindow::captionEdited, session.dialog(),
                     [&host] { host.componentsChangedByDialog(); });
    session.dialog()->setWindowTitle(kind->caption);
    if (session.run())
        kind->apply(*session.dialog());
}

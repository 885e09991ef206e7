// Imports arbitrary bytes as Report-Writer source, checking what must hold
// for any input:
// - the import makes a page, and every kept line and problem names a line
//   of the text;
// - nothing is lost: the generated text of the design holds the source's
//   statements, section by section, apart from the positioning statements
//   generation derives from where items lie;
// - importing that generated text again gives it back exactly.

#include "import/ReportImport.h"
#include "import/SourceLines.h"
#include "import/StatementSequence.h"

#include "generation/Generator.h"
#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "failed: %s\n", what);
        std::abort();
    }
}

QStringList generate(ReportPage *page)
{
    GenerationWindow window;
    window.page = page;
    generatePageCode(window, page);
    return page->pageCode.texts();
}

QByteArray joined(const QStringList &lines)
{
    QByteArray text;
    for (const QString &line : lines)
        text += line.toUtf8() + '\n';
    return text;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(data, qsizetype(size));
    ComponentOwner owner;
    auto stage = std::make_unique<QWidget>();
    const ReportImport::Result result = ReportImport::importSource(text, owner, stage.get());
    check(result.page != nullptr, "the import makes a page");
    const qsizetype lines = text.count('\n') + 1;
    for (const KeptLine &kept : result.keptAsCode)
        check(kept.line >= 1 && kept.line <= lines, "a kept line is a line of the text");
    for (const CheckProblem &problem : result.problems)
        check(problem.line >= 1 && problem.line <= lines, "a problem's line is in the text");

    const QStringList generated = generate(result.page);
    ProblemList ignored;
    QStringList source;
    for (const SourceLine &line : SourceLines::read(text, ignored))
        source.append(line.text);
    check(StatementSequence::sectionsWithoutPositioning(generated)
              == StatementSequence::sectionsWithoutPositioning(source),
          "every statement is kept");

    ComponentOwner againOwner;
    auto againStage = std::make_unique<QWidget>();
    const ReportImport::Result again =
        ReportImport::importSource(joined(generated), againOwner, againStage.get());
    check(generate(again.page) == generated, "generated text comes back exactly");
    againStage.reset();
    stage.reset();
    return 0;
}

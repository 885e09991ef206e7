#include "shell/UndumpCommand.h"

#include "shell/CommandLine.h"
#include "shell/SameFile.h"

#include "model/FileReplacement.h"
#include "model/InputFile.h"
#include "model/ObjectStream.h"
#include "model/StreamUndump.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

constexpr int ExitFile = 2;

QString designBeside(const QString &text)
{
    const QFileInfo file(text);
    return file.dir().filePath(file.completeBaseName() + QStringLiteral(".kfx"));
}

} // namespace

int undumpDesign(const CommandLineRequest &request, QTextStream &err)
{
    const QString output = request.output.isEmpty() ? designBeside(request.design) : request.output;
    const QString cannotSave = QStringLiteral("ERROR. Cannot save to file: ") + output;
    // Replacing the text by its design would lose the text.
    if (isSameFile(output, request.design)) {
        err << cannotSave << QStringLiteral(" (it is the text to read)") << Qt::endl;
        return ExitFile;
    }
    const std::optional<QByteArray> text = InputFile::read(request.design);
    if (!text) {
        err << QStringLiteral("ERROR. Cannot open file: ") << request.design << Qt::endl;
        return ExitFile;
    }
    QByteArray design;
    try {
        design = StreamUndump::stageFile(QString::fromUtf8(*text));
    } catch (const StreamError &error) {
        err << request.design << QStringLiteral(": ") << error.message() << Qt::endl;
        return ExitFile;
    }
    if (!FileReplacement::replace(output, design)) {
        err << cannotSave << Qt::endl;
        return ExitFile;
    }
    return 0;
}

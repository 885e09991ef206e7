#include "windows/ReportDocumentText.h"

#include "editor/TextFiles.h"

#include "model/FileReplacement.h"
#include "model/InputFile.h"

namespace ReportDocumentText {

std::optional<SourceText> read(const QString &fileName)
{
    const std::optional<QByteArray> bytes = InputFile::read(fileName);
    if (!bytes)
        return std::nullopt;
    return SourceText{TextFiles::splitLines(TextFiles::decode(*bytes)), bytes->contains('\r')};
}

bool writeReplacingLink(const QString &fileName, const QStringList &lines, QByteArrayView lineEnd)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + lineEnd.toByteArray();
    return FileReplacement::replaceLinkToo(fileName, bytes);
}

bool write(const QString &fileName, const QStringList &lines, QByteArrayView lineEnd,
           const std::function<void()> &lineWritten)
{
    FileReplacement file(fileName);
    if (!file.open())
        return false;
    for (const QString &line : lines) {
        if (!file.write(line.toUtf8() + lineEnd.toByteArray()))
            return false;
        if (lineWritten)
            lineWritten();
    }
    return file.commit();
}

} // namespace ReportDocumentText

#include "windows/ReportDocumentText.h"

#include "editor/TextFiles.h"

#include <QFile>
#include <QSaveFile>

namespace ReportDocumentText {

std::optional<SourceText> read(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return SourceText{TextFiles::splitLines(TextFiles::decode(bytes)), bytes.contains('\r')};
}

bool write(const QString &fileName, const QStringList &lines, QByteArrayView lineEnd,
           const std::function<void()> &lineWritten)
{
    QSaveFile file(fileName);
    // A file that may be written in a folder that may not still is written.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString &line : lines) {
        const QByteArray bytes = line.toUtf8() + lineEnd.toByteArray();
        if (file.write(bytes) != bytes.size()) {
            file.cancelWriting();
            return false;
        }
        if (lineWritten)
            lineWritten();
    }
    return file.commit();
}

} // namespace ReportDocumentText

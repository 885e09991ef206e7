#include "shell/HeadlessPreview.h"

#include "shell/HeadlessReport.h"

#include "model/FileReplacement.h"
#include "model/InputFile.h"
#include "preview/FileOutput.h"
#include "preview/PreviewRun.h"
#include "windows/DesignFileName.h"

#include <QFileInfo>
#include <QTextStream>

#include <optional>

namespace {

constexpr int ExitFailed = 1;
constexpr int ExitFile = 2;

// Pages go to standard output as they are printed, or are gathered for
// the file that replaces the output file at the end.
class CommandLineObserver : public PreviewObserver
{
public:
    CommandLineObserver(const QString &file, QTextStream *out, QTextStream &err)
        : m_file(file), m_out(out), m_err(err)
    {
    }

    void pagePrinted(const PrintedPage &page) override
    {
        const QByteArray bytes = FileOutput::pageBytes(page);
        if (m_out)
            *m_out << QString::fromUtf8(bytes);
        else
            m_bytes += bytes;
    }
    void message(const PreviewMessage &message) override
    {
        m_err << m_file << ':' << message.line << ": " << message.text << Qt::endl;
    }

    QByteArray bytes() const { return m_bytes; }

private:
    QString m_file;
    QTextStream *m_out;
    QTextStream &m_err;
    QByteArray m_bytes;
};

std::optional<QByteArray> reportSource(const QString &fileName)
{
    if (isDesignFileName(fileName)) {
        HeadlessReport report;
        if (!report.tryLoad(fileName))
            return std::nullopt;
        QByteArray text;
        for (const QString &line : report.generate())
            text += line.toUtf8() + '\n';
        return text;
    }
    return InputFile::read(fileName);
}

} // namespace

int previewReport(const PreviewRequest &request, QTextStream &out, QTextStream &err)
{
    const std::optional<QByteArray> source = reportSource(request.file);
    if (!source) {
        err << QStringLiteral("ERROR. Cannot open file: ") << request.file << Qt::endl;
        return ExitFile;
    }
    DataSource data;
    if (!request.data.isEmpty()) {
        QString error;
        const std::optional<DataSource> chosen = DataSource::fromArgument(request.data, &error);
        if (!chosen) {
            err << QStringLiteral("kestrova: --data: ") << error << Qt::endl;
            return ExitFailed;
        }
        data = *chosen;
    }
    PreviewOptions options;
    for (const QString &parameter : request.parameters) {
        const qsizetype equals = parameter.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            err << QStringLiteral("kestrova: --param needs NAME=VALUE, not ") << parameter
                << Qt::endl;
            return ExitFailed;
        }
        QString name = parameter.left(equals).trimmed();
        if (name.startsWith(QLatin1Char('$')))
            name.remove(0, 1);
        options.parameters.insert(name, parameter.mid(equals + 1));
    }
    options.reportFlags = request.reportFlags;
    options.sourceFolder = QFileInfo(request.file).absolutePath();
    options.readFile = &InputFile::read;
    CommandLineObserver observer(request.file, request.output.isEmpty() ? &out : nullptr, err);
    const PreviewOutcome outcome = runPreview(*source, data, options, observer);
    if (request.output.isEmpty()) {
        out.flush();
        if (out.status() != QTextStream::Ok) {
            err << QStringLiteral("ERROR. Cannot write to standard output.") << Qt::endl;
            return ExitFailed;
        }
    } else if (outcome == PreviewOutcome::Failed && observer.bytes().isEmpty()) {
        // Nothing printed: the output file stays as it was.
    } else if (!FileReplacement::replace(request.output, observer.bytes())) {
        err << QStringLiteral("ERROR. Cannot save to file: ") << request.output << Qt::endl;
        return ExitFile;
    }
    return outcome == PreviewOutcome::Finished ? 0 : ExitFailed;
}

#include "preview/PreviewRun.h"

#include "preview/CsvTables.h"
#include "preview/PreviewDatabase.h"
#include "preview/QueryText.h"
#include "preview/ReportRunner.h"
#include "preview/ReportSource.h"
#include "preview/SampleRows.h"
#include "preview/SqlRows.h"
#include "preview/SqliteRows.h"

#include <QSqlRecord>

namespace {

const QString SampleTable = QStringLiteral("kestrova_sample");

PreviewOutcome runOnDatabase(const ReportSource &report, const DataSource &data,
                             const PreviewOptions &options, PreviewObserver &observer,
                             PreviewDatabase &connection)
{
    const auto fail = [&](int line, const QString &message) {
        observer.message({line, message});
        return PreviewOutcome::Failed;
    };
    QString error;
    if (!connection.open(data, &error))
        return fail(report.dataLine, error);
    QSqlDatabase database = connection.database();
    if (data.kind == DataSource::Kind::CsvFolder && !loadCsvFolder(data.path, database, &error))
        return fail(report.dataLine, error);
    const bool sample = data.kind == DataSource::Kind::Sample;
    if (sample && !createSampleTable(report, database, SampleTable, &error))
        return fail(report.dataLine, error);
    if (!sample && !report.setup.trimmed().isEmpty() && !connection.execute(report.setup, &error))
        return fail(report.setupLine, QStringLiteral(".SETUP failed: ") + error);

    QMap<QString, QString> parameters;
    for (auto it = options.parameters.cbegin(); it != options.parameters.cend(); ++it)
        parameters.insert(it.key().toLower(), it.value());
    const ReportFlags flags = ReportFlags::parse(options.reportFlags);
    for (auto it = flags.parameters.cbegin(); it != flags.parameters.cend(); ++it)
        parameters.insert(it.key(), it.value());
    const ReportQuery query = ReportQuery::build(
        report, parameters, sample ? SampleTable : QString(),
        [&database](const QString &table) { return int(database.record(table).count()); });
    if (!query.error.isEmpty())
        return fail(report.dataLine, query.error);
    QList<QVariant> values;
    for (const QString &name : query.parameters)
        values.append(parameters.value(name));

    const auto readRows = [&](auto &&rows) {
        if (!rows.start(query.sql, values))
            return fail(report.dataLine, rows.error());
        ReportRunner runner(report, options, observer);
        return runner.run(rows);
    };
    // Qt's SQLite driver hands its statement over, whose rows are read
    // faster through SQLite itself.
    const QHash<QString, QString> types = declaredColumnTypes(database, query.sql);
    const PreviewOutcome outcome = database.driverName() == QLatin1String("QSQLITE")
                                       ? readRows(SqliteRows(database, types))
                                       : readRows(SqlRows(database, types));
    if (!sample && !report.cleanup.trimmed().isEmpty()
        && !connection.execute(report.cleanup, &error))
        observer.message({report.cleanupLine, QStringLiteral(".CLEANUP failed: ") + error});
    return outcome;
}

} // namespace

PreviewOutcome runPreview(const QByteArray &source, const DataSource &data,
                          const PreviewOptions &options, PreviewObserver &observer)
{
    const ReportSource report = ReportSource::read(source, options);
    for (const PreviewMessage &message : report.messages)
        observer.message(message);
    if (report.name.isEmpty())
        return PreviewOutcome::Failed;
    PreviewDatabase connection;
    return runOnDatabase(report, data, options, observer, connection);
}

QStringList reportParameters(const QByteArray &source, const PreviewOptions &options)
{
    const ReportSource report = ReportSource::read(source, options);
    QString text = report.query + QLatin1Char(' ') + report.dataTable;
    for (const SortKey &key : report.sort)
        text += QLatin1Char(' ') + key.direction;
    for (const QList<RawStatement> &section : report.sections) {
        for (const RawStatement &statement : section)
            text += QLatin1Char(' ') + statement.arguments;
    }
    return parameterNames(text);
}

#include "preview/CsvTables.h"

#include "preview/Value.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>

namespace {

// The records of CSV text (RFC 4180: quoted fields may hold commas, quotes
// doubled and line ends), each with the line it starts on.
QList<std::pair<int, QStringList>> readRecords(const QString &text)
{
    QList<std::pair<int, QStringList>> records;
    QStringList fields;
    QString field;
    bool quoted = false;
    bool any = false;
    int line = 1;
    int recordLine = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"')) {
            quoted = true;
            any = true;
        } else if (c == QLatin1Char(',')) {
            fields.append(field);
            field.clear();
            any = true;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            if (any || !field.isEmpty()) {
                fields.append(field);
                records.append({recordLine, fields});
            }
            fields.clear();
            field.clear();
            any = false;
            recordLine = ++line;
        } else {
            field += c;
            any = true;
        }
    }
    if (any || !field.isEmpty()) {
        fields.append(field);
        records.append({recordLine, fields});
    }
    return records;
}

QString guessType(const QList<std::pair<int, QStringList>> &records, qsizetype column)
{
    bool integers = true;
    bool numbers = true;
    bool dates = true;
    bool seen = false;
    qsizetype longest = 1;
    for (qsizetype r = 1; r < records.size(); ++r) {
        const QString value = records[r].second[column].trimmed();
        longest = std::max(longest, records[r].second[column].size());
        if (value.isEmpty())
            continue;
        seen = true;
        bool ok = false;
        value.toLongLong(&ok);
        integers = integers && ok;
        value.toDouble(&ok);
        numbers = numbers && ok;
        dates = dates && parseDate(value).isValid();
    }
    if (seen && integers)
        return QStringLiteral("integer");
    if (seen && numbers)
        return QStringLiteral("float");
    if (seen && dates)
        return QStringLiteral("date");
    return QStringLiteral("varchar(%1)").arg(longest);
}

QString quoted(QString name)
{
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QStringLiteral("\"\""))
           + QLatin1Char('"');
}

bool loadFile(const QFileInfo &file, QSqlDatabase database, QString *error)
{
    QFile input(file.absoluteFilePath());
    if (!input.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1 cannot be read: %2").arg(file.fileName(), input.errorString());
        return false;
    }
    const QByteArray bytes = input.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError()) {
        *error = QStringLiteral("%1 is not UTF-8 text").arg(file.fileName());
        return false;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QList<std::pair<int, QStringList>> records = readRecords(text);
    if (records.isEmpty()) {
        *error = QStringLiteral("%1 has no header line").arg(file.fileName());
        return false;
    }
    const QStringList header = records.first().second;
    for (const auto &[line, fields] : records) {
        if (fields.size() != header.size()) {
            *error = QStringLiteral("%1, line %2: %3 fields where the header has %4")
                         .arg(file.fileName())
                         .arg(line)
                         .arg(fields.size())
                         .arg(header.size());
            return false;
        }
    }
    QStringList columns;
    QStringList types;
    for (qsizetype c = 0; c < header.size(); ++c) {
        const QString name = header[c].trimmed();
        if (name.isEmpty()) {
            *error = QStringLiteral("%1: column %2 has no name").arg(file.fileName()).arg(c + 1);
            return false;
        }
        types.append(guessType(records, c));
        columns.append(quoted(name) + QLatin1Char(' ') + types.last());
    }
    QSqlQuery query(database);
    const QString table = quoted(file.completeBaseName());
    if (!query.exec(QStringLiteral("CREATE TABLE %1 (%2)")
                        .arg(table, columns.join(QStringLiteral(", "))))) {
        *error = QStringLiteral("%1: %2").arg(file.fileName(), query.lastError().text());
        return false;
    }
    QStringList marks(header.size(), QStringLiteral("?"));
    database.transaction();
    query.prepare(
        QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(table, marks.join(QLatin1Char(','))));
    for (qsizetype r = 1; r < records.size(); ++r) {
        for (qsizetype c = 0; c < header.size(); ++c) {
            const QString &value = records[r].second[c];
            if (value.trimmed().isEmpty() && !types[c].startsWith(QLatin1String("varchar")))
                query.addBindValue(QVariant());
            else if (types[c] == QLatin1String("integer"))
                query.addBindValue(value.trimmed().toLongLong());
            else if (types[c] == QLatin1String("float"))
                query.addBindValue(value.trimmed().toDouble());
            else
                query.addBindValue(value);
        }
        if (!query.exec()) {
            database.rollback();
            *error = QStringLiteral("%1, line %2: %3")
                         .arg(file.fileName())
                         .arg(records[r].first)
                         .arg(query.lastError().text());
            return false;
        }
    }
    database.commit();
    return true;
}

} // namespace

bool loadCsvFolder(const QString &folder, const QSqlDatabase &database, QString *error)
{
    const QDir directory(folder);
    if (!directory.exists()) {
        *error = QStringLiteral("the CSV folder %1 does not exist").arg(folder);
        return false;
    }
    const QFileInfoList files =
        directory.entryInfoList({QStringLiteral("*.csv"), QStringLiteral("*.CSV")},
                                QDir::Files | QDir::Readable, QDir::Name);
    if (files.isEmpty()) {
        *error = QStringLiteral("the folder %1 holds no *.csv files").arg(folder);
        return false;
    }
    for (const QFileInfo &file : files) {
        if (!loadFile(file, database, error))
            return false;
    }
    return true;
}

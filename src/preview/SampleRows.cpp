#include "preview/SampleRows.h"

#include "preview/DisplayFormat.h"
#include "preview/Expression.h"
#include "preview/QueryText.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace {

constexpr int SampleRowCount = 24;

bool isKnownWord(const QString &word)
{
    static const QStringList words = {QStringLiteral("and"),
                                      QStringLiteral("or"),
                                      QStringLiteral("not"),
                                      QStringLiteral("is"),
                                      QStringLiteral("null"),
                                      QStringLiteral("like"),
                                      QStringLiteral("cum"),
                                      QStringLiteral("cumulative"),
                                      QStringLiteral("report"),
                                      QStringLiteral("page"),
                                      QStringLiteral("detail"),
                                      QStringLiteral("all"),
                                      QStringLiteral("page_number"),
                                      QStringLiteral("line_number"),
                                      QStringLiteral("position_number"),
                                      QStringLiteral("left_margin"),
                                      QStringLiteral("right_margin"),
                                      QStringLiteral("page_length"),
                                      QStringLiteral("page_width"),
                                      QStringLiteral("current_date"),
                                      QStringLiteral("cur_date"),
                                      QStringLiteral("current_time"),
                                      QStringLiteral("cur_time"),
                                      QStringLiteral("current_day"),
                                      QStringLiteral("w_name"),
                                      QStringLiteral("within_name"),
                                      QStringLiteral("w_column")};
    return words.contains(word) || isAggregateName(word);
}

// Names the statements use that may be columns, in order of first use.
QStringList namesUsed(const ReportSource &report)
{
    QStringList names;
    const auto add = [&](const QString &name) {
        if (!names.contains(name))
            names.append(name);
    };
    for (const QString &name : report.breakColumns())
        add(name);
    for (auto it = report.sections.cbegin(); it != report.sections.cend(); ++it) {
        const QString target = it.key().section(QLatin1Char(':'), 1);
        if (!target.isEmpty() && target != QLatin1String("report")
            && target != QLatin1String("page"))
            add(target);
    }
    QStringList variables;
    for (const Declaration &declaration : report.declarations)
        variables.append(declaration.name);
    static const QRegularExpression word(
        QStringLiteral("('[^']*'|\"[^\"]*\"|\\$?[A-Za-z_]\\w*\\s*\\(?)"));
    for (const QList<RawStatement> &section : report.sections) {
        for (const RawStatement &statement : section) {
            if (statement.kind != StatementKind::Print && statement.kind != StatementKind::PrintLine
                && statement.kind != StatementKind::If && statement.kind != StatementKind::ElseIf
                && statement.kind != StatementKind::Let && statement.kind != StatementKind::Tab)
                continue;
            QRegularExpressionMatchIterator matches = word.globalMatch(statement.arguments);
            while (matches.hasNext()) {
                const QString token = matches.next().captured(1).trimmed();
                if (token.startsWith(QLatin1Char('\'')) || token.startsWith(QLatin1Char('"'))
                    || token.startsWith(QLatin1Char('$')))
                    continue;
                const QString name = QString(token).remove(QLatin1Char('(')).trimmed().toLower();
                QString notFormat;
                // Words inside a format group ("f10", "c12") look like names.
                const bool isFormat = DisplayFormat::parse(name, &notFormat).has_value();
                if (isKnownWord(name) || variables.contains(name) || (isFormat && name.size() < 6))
                    continue;
                add(name);
            }
        }
    }
    return names;
}

// The format each name prints with, from "name(format)" items and .FORMAT.
QHash<QString, DisplayFormat> formatsUsed(const ReportSource &report)
{
    QHash<QString, DisplayFormat> formats;
    static const QRegularExpression item(
        QStringLiteral("([A-Za-z_]\\w*)\\s*(?:\\([^()]*\\)\\s*)?\\(([^()]*)\\)"));
    for (const QList<RawStatement> &section : report.sections) {
        for (const RawStatement &statement : section) {
            QRegularExpressionMatchIterator matches = item.globalMatch(statement.arguments);
            while (matches.hasNext()) {
                const QRegularExpressionMatch match = matches.next();
                QString error;
                const std::optional<DisplayFormat> format =
                    DisplayFormat::parse(match.captured(2), &error);
                const QString name = match.captured(1).toLower();
                if (format && !formats.contains(name))
                    formats.insert(name, *format);
            }
        }
    }
    return formats;
}

QString declaredTypeFor(const std::optional<DisplayFormat> &format)
{
    if (!format)
        return QStringLiteral("varchar(10)");
    if (format->kind == DisplayFormat::DateTemplate)
        return QStringLiteral("date");
    if (format->kind == DisplayFormat::Integer)
        return QStringLiteral("integer");
    if (format->isNumeric())
        return QStringLiteral("float");
    return QStringLiteral("varchar(%1)").arg(std::max(format->width, 1));
}

QVariant sampleValue(const QString &name, const QString &type, int row, int breakLevel,
                     int breakLevels)
{
    // A break column keeps its value for a few rows: the innermost for 2,
    // each outer one for twice as long as the one inside it. Outer columns
    // of a long sort list stop doubling long before the shift would overflow.
    const int doublings = std::clamp(breakLevels - 1 - breakLevel, 0, 20);
    const int span = breakLevel >= 0 ? 2 << doublings : 1;
    const int index = row / span;
    if (type == QLatin1String("integer"))
        return breakLevel >= 0 ? index + 1 : (row * 7) % 50 + 1;
    if (type == QLatin1String("float"))
        return breakLevel >= 0 ? double(index + 1) * 100.0
                               : double((row * 37) % 1000) + 0.25 * (row % 4);
    if (type == QLatin1String("date"))
        return QDate(2024, 1, 1).addDays(breakLevel >= 0 ? index * 7 : row).toString(Qt::ISODate);
    QString text = name.left(1).toUpper() + name.mid(1);
    if (breakLevel >= 0)
        return text + QLatin1Char(' ') + QChar(QLatin1Char('A').unicode() + index % 26);
    return text + QLatin1Char(' ') + QString::number(row + 1);
}

} // namespace

bool createSampleTable(const ReportSource &report, QSqlDatabase database, const QString &table,
                       QString *error)
{
    QStringList names =
        report.query.trimmed().isEmpty() ? QStringList() : selectListNames(report.query);
    if (names.isEmpty())
        names = namesUsed(report);
    // A report that prints no column, such as a design just begun, still
    // prints its text over rows.
    if (names.isEmpty())
        names.append(QStringLiteral("sample_row"));
    const QHash<QString, DisplayFormat> formats = formatsUsed(report);
    const QStringList breaks = report.breakColumns();
    QStringList definitions;
    QStringList types;
    for (const QString &name : std::as_const(names)) {
        const QString type = declaredTypeFor(
            formats.contains(name) ? std::optional(formats.value(name)) : std::nullopt);
        types.append(type);
        definitions.append(QStringLiteral("\"%1\" %2").arg(name, type));
    }
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("CREATE TABLE %1 (%2)")
                        .arg(table, definitions.join(QStringLiteral(", "))))) {
        *error = QStringLiteral("sample data: %1").arg(query.lastError().text());
        return false;
    }
    database.transaction();
    query.prepare(
        QStringLiteral("INSERT INTO %1 VALUES (%2)")
            .arg(table, QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(','))));
    for (int row = 0; row < SampleRowCount; ++row) {
        for (qsizetype c = 0; c < names.size(); ++c)
            query.addBindValue(sampleValue(names[c], types[c].section(QLatin1Char('('), 0, 0), row,
                                           int(breaks.indexOf(names[c])), int(breaks.size())));
        query.exec();
    }
    database.commit();
    return true;
}

#include "preview/QueryText.h"

#include <QRegularExpression>

namespace {

// Calls fn(position, character) for each character outside strings and
// comments, with the parenthesis depth.
template<typename Fn>
void walkCode(const QString &sql, Fn fn)
{
    int depth = 0;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype close = sql.indexOf(c, i + 1);
            i = close < 0 ? sql.size() : close;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < sql.size() && sql[i + 1] == QLatin1Char('*')) {
            const qsizetype close = sql.indexOf(QLatin1String("*/"), i + 2);
            i = close < 0 ? sql.size() : close + 1;
            continue;
        }
        if (c == QLatin1Char('('))
            ++depth;
        if (c == QLatin1Char(')'))
            --depth;
        fn(i, c, depth);
    }
}

// The select list's span: after SELECT [DISTINCT|ALL], up to FROM, at depth 0.
std::pair<qsizetype, qsizetype> selectList(const QString &sql)
{
    static const QRegularExpression select(
        QStringLiteral("^\\s*select\\s+(?:(?:distinct|all)\\s+)?"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = select.match(sql);
    if (!match.hasMatch())
        return {-1, -1};
    const qsizetype start = match.capturedEnd();
    qsizetype end = -1;
    static const QRegularExpression from(QStringLiteral("\\bfrom\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    walkCode(sql, [&](qsizetype i, QChar, int depth) {
        if (end < 0 && i >= start && depth == 0
            && from.match(sql, i, QRegularExpression::NormalMatch,
                          QRegularExpression::AnchorAtOffsetMatchOption)
                   .hasMatch()
            && (i == 0 || !sql[i - 1].isLetterOrNumber()))
            end = i;
    });
    return {start, end < 0 ? sql.size() : end};
}

QStringList splitTopLevel(const QString &text)
{
    QStringList items;
    qsizetype from = 0;
    walkCode(text, [&](qsizetype i, QChar c, int depth) {
        if (c == QLatin1Char(',') && depth == 0) {
            items.append(text.mid(from, i - from));
            from = i + 1;
        }
    });
    items.append(text.mid(from));
    return items;
}

// int2(x) -> CAST(x AS INTEGER), float8(x) -> CAST(x AS DOUBLE PRECISION).
QString translateCasts(QString sql)
{
    static const QRegularExpression call(QStringLiteral("\\b(int[124]|float[48])\\s*\\("),
                                         QRegularExpression::CaseInsensitiveOption);
    qsizetype from = 0;
    for (;;) {
        const QRegularExpressionMatch match = call.match(sql, from);
        if (!match.hasMatch())
            return sql;
        int depth = 1;
        qsizetype i = match.capturedEnd();
        for (; i < sql.size() && depth > 0; ++i) {
            if (sql[i] == QLatin1Char('('))
                ++depth;
            else if (sql[i] == QLatin1Char(')'))
                --depth;
        }
        if (depth != 0)
            return sql;
        const QString inner = sql.mid(match.capturedEnd(), i - 1 - match.capturedEnd());
        const QString type = match.captured(1).toLower().startsWith(QLatin1String("int"))
                                 ? QStringLiteral("INTEGER")
                                 : QStringLiteral("DOUBLE PRECISION");
        const QString cast = QStringLiteral("CAST(%1 AS %2)").arg(inner, type);
        sql.replace(match.capturedStart(), i - match.capturedStart(), cast);
        from = match.capturedStart();
    }
}

} // namespace

QString translateIngresSql(const QString &sql)
{
    QString text = sql;
    const auto [start, end] = selectList(text);
    if (start >= 0) {
        static const QRegularExpression alias(
            QStringLiteral("^(\\s*)([A-Za-z_]\\w*)\\s*=(?!=)\\s*(.*?)(\\s*)$"),
            QRegularExpression::DotMatchesEverythingOption);
        QStringList items = splitTopLevel(text.mid(start, end - start));
        for (QString &item : items) {
            const QRegularExpressionMatch match = alias.match(item);
            if (match.hasMatch())
                item = match.captured(1) + match.captured(3) + QStringLiteral(" AS ")
                       + match.captured(2) + match.captured(4);
        }
        text = text.left(start) + items.join(QLatin1Char(',')) + text.mid(end);
    }
    return translateCasts(text);
}

QStringList selectListNames(const QString &sql)
{
    const QString text = translateIngresSql(sql);
    const auto [start, end] = selectList(text);
    if (start < 0)
        return {};
    static const QRegularExpression lastName(
        QStringLiteral("(?:\\bas\\s+)?\"?([A-Za-z_]\\w*)\"?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList names;
    for (const QString &item : splitTopLevel(text.mid(start, end - start))) {
        if (item.trimmed().endsWith(QLatin1Char('*')))
            return {};
        const QRegularExpressionMatch match = lastName.match(item);
        if (match.hasMatch())
            names.append(match.captured(1).toLower());
    }
    return names;
}

QStringList parameterNames(const QString &text)
{
    QStringList names;
    static const QRegularExpression name(QStringLiteral("\\$([A-Za-z_]\\w*)"));
    walkCode(text, [&](qsizetype i, QChar c, int) {
        if (c != QLatin1Char('$'))
            return;
        const QRegularExpressionMatch match =
            name.match(text, i, QRegularExpression::NormalMatch,
                       QRegularExpression::AnchorAtOffsetMatchOption);
        if (match.hasMatch() && !names.contains(match.captured(1).toLower()))
            names.append(match.captured(1).toLower());
    });
    return names;
}

ReportQuery ReportQuery::build(const ReportSource &report, const QMap<QString, QString> &parameters,
                               const QString &sampleTable, const ColumnCounter &tableColumns)
{
    ReportQuery query;
    QString base;
    int columnCount = 0;
    const bool fromTable = !sampleTable.isEmpty() || report.query.trimmed().isEmpty();
    if (!sampleTable.isEmpty()) {
        base = QStringLiteral("SELECT * FROM ") + sampleTable;
        columnCount = tableColumns ? tableColumns(sampleTable) : 0;
    } else if (!report.query.trimmed().isEmpty()) {
        if (QRegularExpression(QStringLiteral("^\\s*(range|retrieve)\\b"),
                               QRegularExpression::CaseInsensitiveOption)
                .match(report.query)
                .hasMatch()) {
            query.error =
                QStringLiteral("not previewed: a QUEL query (range/retrieve); write it in SQL");
            return query;
        }
        base = translateIngresSql(report.query.trimmed());
        while (base.endsWith(QLatin1Char(';')))
            base.chop(1);
        columnCount = int(selectListNames(base).size());
    } else if (!report.dataTable.isEmpty()) {
        QString table = report.dataTable;
        if (table.startsWith(QLatin1Char('$'))) {
            const QString name = table.mid(1).toLower();
            if (!parameters.contains(name)) {
                query.error = QStringLiteral("the parameter $%1 has no value").arg(name);
                return query;
            }
            table = parameters.value(name);
        }
        if (!QRegularExpression(QStringLiteral("^[A-Za-z_][\\w$#@]*(\\.[A-Za-z_][\\w$#@]*)?$"))
                 .match(table)
                 .hasMatch()) {
            query.error = QStringLiteral("'%1' is not a table name (E_RW138F)").arg(table);
            return query;
        }
        base = QStringLiteral("SELECT * FROM ") + table;
        columnCount = tableColumns ? tableColumns(table) : 0;
    } else {
        query.error = QStringLiteral("the report has neither .QUERY nor .DATA (E_RW1019)");
        return query;
    }
    // Parameters become placeholders, outside strings and comments.
    QString sql;
    qsizetype copied = 0;
    static const QRegularExpression name(QStringLiteral("\\$([A-Za-z_]\\w*)"));
    QList<std::pair<qsizetype, qsizetype>> spans;
    walkCode(base, [&](qsizetype i, QChar c, int) {
        if (c != QLatin1Char('$'))
            return;
        const QRegularExpressionMatch match =
            name.match(base, i, QRegularExpression::NormalMatch,
                       QRegularExpression::AnchorAtOffsetMatchOption);
        if (match.hasMatch() && (spans.isEmpty() || spans.last().second <= i)) {
            spans.append({i, match.capturedEnd()});
            query.parameters.append(match.captured(1).toLower());
        }
    });
    for (const auto &[start, end] : std::as_const(spans)) {
        sql += base.mid(copied, start - copied) + QLatin1Char('?');
        copied = end;
    }
    sql += base.mid(copied);
    for (const QString &parameter : std::as_const(query.parameters)) {
        if (!parameters.contains(parameter)) {
            query.error =
                QStringLiteral("the parameter $%1 has no value (give it with --param %1=VALUE)")
                    .arg(parameter);
            return query;
        }
    }
    QStringList order;
    for (const SortKey &key : report.sort) {
        QString direction = key.direction;
        if (direction.startsWith(QLatin1Char('$')))
            direction = parameters.value(direction.mid(1)).toLower();
        const bool descending = direction.startsWith(QLatin1Char('d'));
        if (!direction.isEmpty() && !descending && !direction.startsWith(QLatin1Char('a'))) {
            query.error =
                QStringLiteral("'%1' is not a sort direction (E_RW1393)").arg(key.direction);
            return query;
        }
        if (!QRegularExpression(QStringLiteral("^[A-Za-z_]\\w*$")).match(key.column).hasMatch()) {
            query.error = QStringLiteral("'%1' is not a column name").arg(key.column);
            return query;
        }
        order.append(key.column + (descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC")));
    }
    // Rows that tie on every sort key come in the order of their other
    // columns, the last column first, as the report program gives them.
    for (int column = order.isEmpty() ? 0 : columnCount; column >= 1; --column)
        order.append(QString::number(column));
    if (!order.isEmpty()) {
        sql = fromTable ? sql + QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "))
                        : QStringLiteral("SELECT * FROM (%1) AS kestrova_rows ORDER BY %2")
                              .arg(sql, order.join(QStringLiteral(", ")));
    }
    query.sql = sql;
    return query;
}

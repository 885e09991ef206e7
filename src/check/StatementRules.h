#pragma once

#include "check/CheckProblem.h"
#include "check/SourceScanner.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>

// The rules the report program applies to statements and their order when
// it loads a report: .NAME first, a data source, sections headed by sorted
// or break columns and defined once, .IF and .WITHIN in balance, alignment
// followed by printing, statements it knows. Statements come one at a time,
// in the order of the text.
class StatementRules
{
public:
    StatementRules(const SourceScanner &scanner, ProblemList &problems);

    void take(const SourceStatement &statement);
    // The end of the text: reports what is still open or missing.
    void finish();

private:
    struct OpenIf
    {
        int line;          // of the .IF
        int conditionLine; // of the .IF or .ELSEIF whose .THEN is awaited
        StatementKind conditionKind;
        bool awaitingThen = true;
        bool elseSeen = false;
    };

    // The columns of .SORT or .BREAK.
    struct ColumnList
    {
        bool seen = false;
        bool variables = false; // a $parameter stands for a column
        QSet<QByteArray> names; // lower case

        bool covers(const QByteArray &column) const { return variables || names.contains(column); }
    };

    // One .NAME up to the next.
    struct Report
    {
        bool open = false;
        int line = 0;
        int dataLine = 0; // of the .QUERY or .DATA
        StatementKind dataKind = StatementKind::None;
        ColumnList sort;
        ColumnList breaks;
        QHash<QByteArray, int> sections; // defined headings and where
    };

    // One heading up to the next.
    struct Section
    {
        QByteArray key;    // "h:region", "f:report", "detail"; empty when unknown
        QList<int> blocks; // lines of the open .BLOCKs
        int underlineLine = 0;
        int withinLine = 0;
        QList<bool> brackets; // open .WITHIN (true) and bare .BEGIN (false)
    };

    QByteArrayView text(const SourceToken &token) const { return m_scanner.text(token); }
    static QString displayName(const SourceStatement &statement);

    void checkAlignment(const SourceStatement &statement);
    void checkBeforeName(const SourceStatement &statement);
    void checkConditionals(const SourceStatement &statement);
    void apply(const SourceStatement &statement);

    void startReport(const SourceStatement &statement);
    void finishReport();
    void dataSource(const SourceStatement &statement);
    void sortColumns(const SourceStatement &statement);
    void breakColumns(const SourceStatement &statement);
    void startColumns(const SourceStatement &statement, ColumnList &list, const char *twiceCode);
    void addColumn(const SourceStatement &statement, const SourceToken &token, ColumnList &list,
                   const char *duplicateCode);
    void heading(const SourceStatement &statement);
    void checkBreakColumn(const SourceStatement &statement, const QByteArray &column);
    void enterSection(const SourceStatement &statement, const QByteArray &key);
    void closeSection();
    void within(const SourceStatement &statement);
    void endWithin(const SourceStatement &statement);
    void end();
    void conditional(const SourceStatement &statement);

    const SourceScanner &m_scanner;
    ProblemList &m_problems;
    bool m_named = false;
    qsizetype m_beforeNameProblem = -1;
    int m_alignmentLine = 0; // of a .LEFT, .CENTER or .RIGHT awaiting its .PRINT
    StatementKind m_alignmentKind = StatementKind::None;
    QList<OpenIf> m_ifs;
    Report m_report;
    Section m_section;
};

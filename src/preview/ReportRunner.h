#pragma once

#include "preview/Aggregates.h"
#include "preview/LineBuffer.h"
#include "preview/PreviewRun.h"
#include "preview/ReportCommands.h"
#include "preview/ReportSource.h"
#include "preview/RowSource.h"

#include <QHash>
#include <QSet>

#include <optional>

// Stops a run from deep inside the sections.
struct RunStopped
{
    PreviewOutcome outcome;
};

// What the report program's own flags (after -- on the command line) set.
struct ReportFlags
{
    std::optional<int> pageWidth;      // -lN
    std::optional<int> pageLength;     // -vN
    std::optional<bool> formFeeds;     // +b / -b
    bool headersWithoutRows = false;   // -h
    QMap<QString, QString> parameters; // (name=value, ...)

    static ReportFlags parse(const QStringList &flags);
};

// Interprets a report over rows: the sections around the rows, the
// formatting statements, the line buffer and the pages.
class ReportRunner : public EvaluationContext, public NameResolver
{
public:
    ReportRunner(const ReportSource &source, const PreviewOptions &options,
                 PreviewObserver &observer);
    ~ReportRunner() override;

    PreviewOutcome run(RowSource &rows);

    // EvaluationContext
    Value columnValue(int column) const override;
    Value variableValue(const QString &name) const override;
    Value specialValue(const QString &name) const override;
    Value aggregateValue(int aggregate) const override;
    // NameResolver
    int columnIndex(const QString &name) const override;
    bool isVariable(const QString &name) const override;
    bool isSpecial(const QString &name) const override;
    int addAggregate(const AggregateCall &call, QString *error) override;

private:
    // The state that page headers and footers keep apart from the report's.
    struct Writer
    {
        LineBuffer buffer;
        int left = 0;
        int right = 0;
        bool underline = false;
        int blockDepth = 0;
        int blockTop = 0;
        bool blockFinished = false;
        const Command *adjust = nullptr; // the .LEFT/.CENTER/.RIGHT waiting for its .PRINT
    };
    enum class SectionKind {
        ReportHeader,
        ReportFooter,
        PageHeader,
        PageFooter,
        Detail,
        BreakHeader,
        BreakFooter
    };

    // Setting up.
    void prepareColumns(const QList<ColumnInfo> &columns);
    void prepareVariables();
    CommandList compileSection(const QString &key, SectionKind kind, int level);
    void compileSections();
    void placeAccumulation();
    void computeDefaults();
    void dryRun(const CommandList &commands, int &position, int &smallest, int &largest);
    int countLines(const CommandList &commands) const;

    // Running sections.
    void runSection(const CommandList &commands);
    void runCommand(const Command &command);
    void runPrint(const Command &command);
    void runWithin(const Command &command);
    void applySettings(const Command &command);
    DisplayFormat formatFor(const PrintItem &item, const Value &value);
    void accumulate(int key);
    void resetAggregates(int level);
    int evaluateNumber(const PositionArgument &argument, int fallback);
    int positionOf(const PositionArgument &argument, int relativeTo);
    void report(int line, const QString &message);

    // Vertical movement and pages.
    void newLine(int count);
    void writeBufferedLines();
    void emitLine(const PrintedLine &line);
    void openPage();
    void finishPage();
    void pageBreak(bool runHeader);
    void newPage(const PositionArgument &argument, int line);
    void breakPageNow(bool runHeader);
    void need(int lines);
    void endReport();
    void deliverHeldPage(bool formFeedAfter);

    const ReportSource &m_source;
    const PreviewOptions &m_options;
    PreviewObserver &m_observer;
    ReportFlags m_flags;

    QList<ColumnInfo> m_columns;
    QHash<QString, int> m_columnIndex;
    QList<Value> m_row;
    QList<Value> m_previous;
    bool m_usePrevious = false;
    QHash<QString, Value> m_variables;
    QHash<QString, ColumnInfo> m_variableTypes;
    AggregateList m_aggregates;
    SectionKind m_compiling = SectionKind::Detail;
    int m_compilingLevel = 0;

    QStringList m_breakNames;
    QList<int> m_breakColumns;
    CommandList m_reportHeader, m_reportFooter, m_pageHeader, m_pageFooter, m_detail;
    std::vector<CommandList> m_breakHeaders; // by level, 0 unused
    std::vector<CommandList> m_breakFooters;

    QList<DisplayFormat> m_columnFormats;
    QList<std::optional<DisplayFormat>> m_oneTimeFormats;
    QList<int> m_columnPositions;
    QList<int> m_columnWidths;

    Writer m_reportWriter;
    Writer m_pageWriter;
    Writer *m_writer = &m_reportWriter;
    int m_withinColumn = -1;

    int m_pageLength = 61;
    int m_pageWidth = 132;
    bool m_formFeeds = false;
    bool m_noFirstFormFeed = false;
    QString m_nullString;
    QChar m_underlineCharacter = QLatin1Char('_');
    int m_footerLines = 0;

    int m_lineNumber = 1;
    int m_pageNumber = 1;
    std::optional<int> m_nextPageNumber;
    PrintedPage m_page;
    bool m_pageOpen = false;
    bool m_anyOutput = false;
    bool m_inPageSection = false;
    bool m_headerAfterBreak = true;
    qint64 m_pageBreaks = 0;
    int m_pagesFinished = 0;
    std::optional<PrintedPage> m_heldPage;
    QSet<QString> m_reported;
    qint64 m_rows = 0;
};

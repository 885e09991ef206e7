#include "check/ReportCheck.h"

#include "ReportCheckCases.h"
#include "WorkedExample.h"

#include <QTest>

// The Report-Writer check on small sources, one rule at a time: each case
// gives the exact problems, with their lines, that the check must report.
class TestReportCheck : public QObject
{
    Q_OBJECT

private slots:
    void rules_data();
    void rules();
    void workedExampleHasNoProblems();
    void workedExampleAsFirstWritten();
    void everyLineCountsOnce();
    void errorsAndWarnings();

private:
    static QStringList problemLines(QByteArrayView text);
};

// "LINE: severity: message", the way the command line prints them after the
// file name.
QStringList TestReportCheck::problemLines(QByteArrayView text)
{
    QStringList lines;
    for (const CheckProblem &problem : ReportCheck::check(text)) {
        lines.append(QStringLiteral("%1: %2: %3")
                         .arg(problem.line)
                         .arg(problem.severityName(), problem.message));
    }
    return lines;
}

void TestReportCheck::rules_data()
{
    addReportCheckCases();
}

void TestReportCheck::rules()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, expected);
    QCOMPARE(problemLines(text), expected);
    // Windows line ends change nothing.
    if (!text.contains('\r')) {
        text.replace("\n", "\r\n");
        QCOMPARE(problemLines(text), expected);
    }
}

void TestReportCheck::workedExampleHasNoProblems()
{
    const QByteArray text = (WorkedExample::lines().join(u'\n') + u'\n').toUtf8();
    QCOMPARE(problemLines(text), QStringList());
}

// As first written down, the example centred before underlining and ended
// the underline with a statement the report program does not know.
void TestReportCheck::workedExampleAsFirstWritten()
{
    QStringList lines = WorkedExample::lines();
    QCOMPARE(lines.mid(29, 4), QStringList({"\t.UNDERLINE", "\t.CENTER", "\t.PRINT 'End of report'",
                                            "\t.NOUNDERLINE"}));
    lines[29] = QStringLiteral("\t.CENTER");
    lines[30] = QStringLiteral("\t.UNDERLINE");
    lines[32] = QStringLiteral("\t.NONUNDERLINE");
    QCOMPARE(problemLines((lines.join(u'\n') + u'\n').toUtf8()),
             QStringList({"30: error: .CENTER not followed by .PRINT or .PRINTLN (E_RW1085)",
                          "31: warning: .UNDERLINE without .NOUNDERLINE: underlining stays on",
                          "33: error: unknown statement .NONUNDERLINE (E_RW1388)"}));
}

// Lines are counted through strings, comments, groups and remarks that run
// over several lines, and through CR LF line ends.
void TestReportCheck::everyLineCountsOnce()
{
    const QByteArray text = ".NAME r\r\n/* a\r\ncomment */ .QUERY select 'a\r\nb' from t\r\n"
                            ".LONGREMARK one\r\ntwo .ENDREMARK\r\n.DETAIL .PRINT a(c10\r\n)\r\n"
                            ".FOO\r\n";
    QCOMPARE(problemLines(text), QStringList{"9: error: unknown statement .FOO (E_RW1388)"});
}

void TestReportCheck::errorsAndWarnings()
{
    QVERIFY(
        !ReportCheck::hasErrors(ReportCheck::check(ReportCheckCases::Head + ".DETAIL\n.BLOCK\n")));
    QVERIFY(ReportCheck::hasErrors(
        ReportCheck::check(ReportCheckCases::Head + ".DETAIL\n.BLOCK\n.FOO\n")));
    QVERIFY(!ReportCheck::hasErrors({}));
}

QTEST_MAIN(TestReportCheck)
#include "tst_reportcheck.moc"

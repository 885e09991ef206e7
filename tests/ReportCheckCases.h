#pragma once

// Small Report-Writer sources, one or a few per rule of the check, each
// with the exact problems it must give: "LINE: severity: message". Used
// in-process and through the command line.

#include <QByteArray>
#include <QStringList>
#include <QTest>

namespace ReportCheckCases {

// A report that passes every rule; the cases build on it.
inline const QByteArray Head = ".NAME r\n.QUERY select a, b from t\n.SORT a, b\n";

inline QByteArray repeated(char c, int count)
{
    return QByteArray(count, c);
}

} // namespace ReportCheckCases

// The columns "text" and "expected", and one row per case.
inline void addReportCheckCases()
{
    using namespace ReportCheckCases;
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("clean report") << Head + ".HEADER a\n.PRINT a\n.DETAIL\n.PRINT b\n"
                                  << QStringList();

    // 1: lengths.
    QTest::newRow("1 long line cut between words")
        << Head + ".PRINT " + repeated('x', 246) + " , " + repeated('y', 20) + "\n"
        << QStringList{"4: warning: line is 276 bytes long; the report program reads 255 and "
                       "starts a new line with the rest"};
    QTest::newRow("1 long line cut inside a word")
        << Head + ".PRINT " + repeated('x', 260) + "\n"
        << QStringList{"4: error: line is 267 bytes long; the report program reads 255 and "
                       "starts a new line with the rest, splitting a word"};
    QTest::newRow("1 line of 255 bytes") << Head + ".PRINT " + repeated('x', 248) + "\r\n"
                                         << QStringList();
    QTest::newRow("1 line of 256 bytes")
        << Head + ".PRINT " + repeated('x', 249) + "\n"
        << QStringList{"4: error: line is 256 bytes long; the report program reads 255 and "
                       "starts a new line with the rest, splitting a word"};
    QTest::newRow("1 string of a row") << Head + ".PRINT '" + repeated('s', 98) + "'\n"
                                       << QStringList();
    QTest::newRow("1 string longer than a row")
        << Head + ".PRINT '" + repeated('s', 99) + "'\n"
        << QStringList{"4: error: string is 101 bytes long; a statement row holds 100 (E_RW138B)"};
    QTest::newRow("1 string of a row, over two lines")
        << Head + ".PRINT '" + repeated('s', 49) + "\n" + repeated('s', 49) + "'\n"
        << QStringList();
    QTest::newRow("1 format longer than a row")
        << Head + ".PRINT a(d'" + repeated('3', 96) + "')\n"
        << QStringList{"4: error: text in parentheses is 101 bytes long; a statement row holds "
                       "100 (E_RW138B)"};
    QTest::newRow("1 format of a row") << Head + ".PRINT a(d'" + repeated('3', 95) + "')\n"
                                       << QStringList();

    // 2: .NAME first.
    QTest::newRow("2 no name") << QByteArray(".QUERY select a from t\n.DETAIL\n.PRINT a\n")
                               << QStringList{"1: error: no .NAME: a report begins with .NAME "
                                              "(E_RW138A)"};
    QTest::newRow("2 empty text") << QByteArray()
                                  << QStringList{"1: error: no .NAME: a report begins with .NAME "
                                                 "(E_RW138A)"};
    QTest::newRow("2 statement before name")
        << "/* note */\n.OUTPUT x.out\n" + Head
        << QStringList{"2: error: .OUTPUT before .NAME: only comments may come first (E_RW138A)"};
    QTest::newRow("2 text before name")
        << "report\n" + Head
        << QStringList{"1: error: text before .NAME: only comments may come first (E_RW138A)"};
    QTest::newRow("2 comments before name")
        << "/* one /* nested */\n still one */\n" + Head << QStringList();
    QTest::newRow("2 bad report name")
        << QByteArray(".NAME 9lives\n.DATA t\n")
        << QStringList{"1: error: report name 9lives must begin with a letter or '_' and have at "
                       "most 32 characters (E_RW1389)"};
    QTest::newRow("2 report name of 32 characters") << ".NAME " + repeated('n', 32) + "\n.DATA t\n"
                                                    << QStringList();
    QTest::newRow("2 report name of 33 characters")
        << ".NAME " + repeated('n', 33) + "\n.DATA t\n"
        << QStringList{"1: error: report name " + QString(33, u'n')
                       + " must begin with a letter or '_' and have at most 32 characters "
                         "(E_RW1389)"};

    // 3: alignment prints next.
    QTest::newRow("3 center before underline")
        << Head + ".DETAIL\n.CENTER\n.UNDERLINE\n.PRINT a\n.NOUNDERLINE\n"
        << QStringList{"5: error: .CENTER not followed by .PRINT or .PRINTLN (E_RW1085)"};
    QTest::newRow("3 right and print on one line")
        << Head + ".DETAIL\n.RIGHT 20 .PRINTLN a\n.lt .p b\n"
        << QStringList();
    QTest::newRow("3 left at the end")
        << Head + ".DETAIL\n.PRINT a\n.LEFT\n"
        << QStringList{"6: error: .LEFT not followed by .PRINT or .PRINTLN (E_RW1085)"};

    // 4: arguments and brackets.
    QTest::newRow("4 within without columns")
        << Head + ".DETAIL\n.WITHIN\n.PRINT a\n.ENDWITHIN\n"
        << QStringList{"5: error: .WITHIN without a column list (E_RW10A2)"};
    QTest::newRow("4 within inside within")
        << Head + ".DETAIL\n.WITHIN a\n.WITHIN b\n.ENDWITHIN\n"
        << QStringList{"6: error: .WITHIN inside the .WITHIN of line 5 (E_RW10A5)"};
    QTest::newRow("4 endwithin without within")
        << Head + ".DETAIL\n.WITHIN a\n.END WITHIN\n.ENDWITHIN\n"
        << QStringList{"7: error: .ENDWITHIN without .WITHIN (E_RW10A6)"};
    QTest::newRow("4 within closed by end and by its section")
        << Head + ".DETAIL\n.BEGIN WITHIN a\n.BEGIN\n.END\n.END\n.FOOTER a\n.WITHIN b\n"
        << QStringList();
    QTest::newRow("4 print with nothing to print")
        << Head + ".DETAIL\n.PRINT /* nothing */\n.NEWLINE\n"
        << QStringList{"5: error: .PRINT with nothing to print"};
    QTest::newRow("4 header without a break name")
        << Head + ".HEADER \n.PRINT a\n"
        << QStringList{"4: error: .HEADER without a break name (E_RW138D)"};
    QTest::newRow("4 a bad break name, quoted short")
        << Head + ".HEADER 'two\nlines' .PRINT a\n.FOOTER " + repeated('b', 50) + "\n"
        << QStringList{"4: error: .HEADER with a bad break name 'two... (E_RW138D)",
                       "6: error: .FOOTER bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb...: .SORT does "
                       "not name the column (E_RW138C)"};
    QTest::newRow("4 footer without a break name")
        << Head + ".FOOTER\n.PRINT a\n"
        << QStringList{"4: error: .FOOTER without a break name (E_RW138D)"};

    // 5: names.
    QTest::newRow("5 unknown statement")
        << Head + ".DETAIL\n.UNDERLINE\n.PRINT a\n.NONUNDERLINE\n.NOUNDERLINE\n"
        << QStringList{"7: error: unknown statement .NONUNDERLINE (E_RW1388)"};
    QTest::newRow("5 abbreviations")
        << QByteArray(".nam r .srem Short remark\n.lrem long\nremark .endrem .dat t\n.srt a "
                      ".brk a\n.pw 80 .head a .ne 2 .t 3 .ce .pr a .nl .ffs .noff .fmt a(c2) "
                      ".tfmt a(b2) .pos a(2) .wid a(3) .bgnblk .endblk .beginwi a .endwi .u .noul "
                      ".ulc '-' .nullstr 'x' .tp .bot .lnstart .cr .lnend .printl a .pln a .prl a "
                      ".np .lm 2 .rm 70 .pl 60 .quer\n")
        << QStringList{"5: error: second data source: .QUERY after the .DATA of line 3 "
                       "(E_RW13BC)"};
    QTest::newRow("5 a name matches whole or not at all")
        << Head + ".DETAIL\n.PRIN a\n"
        << QStringList{"5: error: unknown statement .PRIN (E_RW1388)"};
    QTest::newRow("5 dot in an expression starts a statement")
        << Head + ".DETAIL\n.PRINT t.a\n"
        << QStringList{"5: error: unknown statement .a (E_RW1388)"};
    QTest::newRow("5 dotted names kept whole")
        << QByteArray(".NAME r .OUTPUT report.lis .QUERY select s.amount from owner.sales s\n"
                      ".DETAIL .tab 10 .print 'B'\n.NEWLINE .5\n")
        << QStringList();
    QTest::newRow("5 dots inside strings, groups and comments")
        << Head + ".DETAIL\n.PRINT 'a .b', a(d'03.02.1901') /* .c */\n"
        << QStringList();

    // 6: balance.
    QTest::newRow("6 if without then") << Head + ".DETAIL\n.IF a > 1\n.PRINT a\n.ENDIF\n"
                                       << QStringList{"5: error: .IF without .THEN (E_RW13C3)"};
    QTest::newRow("6 else without if") << Head + ".DETAIL\n.ELSE\n.PRINT a\n"
                                       << QStringList{"5: error: .ELSE without .IF (E_RW13C1)"};
    QTest::newRow("6 elseif after else")
        << Head
               + ".DETAIL\n.IF a > 1 .THEN .PRINT a\n.ELSE .PRINT b\n.ELSEIF b > 1 .THEN\n"
                 ".ENDIF\n"
        << QStringList{"7: error: .ELSEIF after the .ELSE of this .IF (E_RW13C2)"};
    QTest::newRow("6 if without endif")
        << Head + ".DETAIL\n.IF a > 1 .THEN\n.PRINT a\n"
        << QStringList{"5: error: .IF without .ENDIF: the text ends inside it (E_RW13A2)"};
    QTest::newRow("6 nested ifs in balance")
        << Head
               + ".DETAIL\n.IF a > 1 .THEN .IF b > 1 .THEN .PRINT a .ENDIF\n"
                 ".ELSEIF a < 0 .THEN .PRINT b .ELSE .PRINT 'x' .ENDIF\n"
        << QStringList();
    QTest::newRow("6 heading inside if")
        << Head + ".DETAIL\n.IF a > 1 .THEN\n.FOOTER a\n.ENDIF\n"
        << QStringList{"6: error: .FOOTER inside the .IF of line 5 (E_RW13C0)"};
    QTest::newRow("6 unterminated string")
        << Head + ".DETAIL\n.PRINT 'it''s\n.NEWLINE\n"
        << QStringList{"5: error: unterminated string (E_RW13A2)"};
    QTest::newRow("6 unterminated comment")
        << Head + ".DETAIL\n/* one /* two */\n.PRINT a\n"
        << QStringList{"5: error: unterminated comment (E_RW13D9)"};
    QTest::newRow("6 open parenthesis") << Head + ".DETAIL\n.PRINT a(c10\n.NEWLINE\n"
                                        << QStringList{"5: error: '(' without its ')' (E_RW13A2)"};
    QTest::newRow("6 backslash escapes a double quote")
        << Head + ".DETAIL\n.PRINT \"a\\\"b\"\n.PRINT \"C:\\\"\n.NEWLINE\n"
        << QStringList{"6: error: unterminated string (E_RW13A2)"};
    QTest::newRow("6 quotes doubled after .DELIMID")
        << Head + ".DELIMID\n.DETAIL\n.PRINT \"C:\\\"\n.PRINT \"a\"\"b\"\n"
        << QStringList();
    QTest::newRow("6 long remark without its end")
        << Head + ".LONGREMARK a remark\n.DETAIL\n.PRINT a\n"
        << QStringList{"4: error: .LONGREMARK without .ENDREMARK (E_RW13A3)"};
    QTest::newRow("6 long remark ends mid-line")
        << Head + ".LONGREMARK .PRINT 'is no statement\nhere' .ENDREMARK .DETAIL .PRINT a\n"
        << QStringList();
    QTest::newRow("6 block without endblock")
        << Head + ".DETAIL\n.BLOCK\n.PRINT a\n.FOOTER a\n.BLOCK .PRINT b .ENDBLOCK\n"
        << QStringList{"5: warning: .BLOCK without .ENDBLOCK: block mode stays on"};
    QTest::newRow("6 underline without nounderline")
        << Head + ".DETAIL\n.UNDERLINE\n.PRINT a\n.HEADER a\n.U .PRINT b .END UNDERLINE\n"
        << QStringList{"5: warning: .UNDERLINE without .NOUNDERLINE: underlining stays on"};

    // 7: headings and their columns.
    QTest::newRow("7 heading without sort or break")
        << QByteArray(".NAME r\n.DATA t\n.HEADER a\n.PRINT a\n")
        << QStringList{"3: error: .HEADER a: no .SORT or .BREAK before it (E_RW139B)"};
    QTest::newRow("7 sort after the heading")
        << QByteArray(".NAME r\n.DATA t\n.FOOTER a\n.PRINT a\n.SORT a\n")
        << QStringList{"3: error: .FOOTER a: no .SORT or .BREAK before it (E_RW139B)"};
    QTest::newRow("7 column not sorted")
        << Head + ".HEADER c\n.PRINT a\n"
        << QStringList{"4: error: .HEADER c: .SORT does not name the column (E_RW138C)"};
    QTest::newRow("7 column not a break")
        << Head + ".BREAK a\n.FOOTER B\n.PRINT a\n.HEADER A\n"
        << QStringList{"5: error: .FOOTER B: .BREAK does not name the column (E_RW139C)"};
    QTest::newRow("7 sort directions and parameters")
        << QByteArray(".NAME r\n.DATA t\n.SORT a:d, b : ascending $c:$d\n.HEADER b\n"
                      ".HEADER x\n.HEADER $h\n.FOOTER report\n.HEADER page\n")
        << QStringList();
    QTest::newRow("7 a direction is no column")
        << QByteArray(".NAME r\n.DATA t\n.SORT a:desc\n.HEADER desc\n")
        << QStringList{"4: error: .HEADER desc: .SORT does not name the column (E_RW138C)"};
    QTest::newRow("7 sort and break lists")
        << QByteArray(".NAME r\n.DATA t\n.SORT a, report, A\n.SORT b\n.BREAK a a\n.BREAK b\n"
                      ".HEADER page\n.NEWPAGE\n")
        << QStringList{"3: error: .SORT on report, a reserved name (E_RW1392)",
                       "3: error: .SORT names A twice (E_RW1394)",
                       "4: error: .SORT given twice (E_RW139F)",
                       "5: error: .BREAK names a twice (E_RW139E)",
                       "6: error: .BREAK given twice (E_RW13A6)",
                       "8: error: .NEWPAGE in the page header (E_RW1396)"};
    QTest::newRow("7 heading defined twice")
        << Head + ".HEADER a\n.PRINT a\n.DETAIL\n.HEADER A\n"
        << QStringList{"7: error: .HEADER A defined twice, first on line 4 (E_RW1399)"};
    QTest::newRow("7 detail defined twice")
        << Head + ".DETAIL\n.PRINT a\n.FOOTER a\n.HEADER detail\n"
        << QStringList{"7: error: .HEADER detail defined twice, first on line 4 (E_RW1399)"};
    QTest::newRow("7 reopening the current section")
        << Head + ".HEADER report\n.PRINT a\n.HEADER report\n.PRINT b\n"
        << QStringList();

    // 8: data source.
    QTest::newRow("8 no data source")
        << QByteArray("/* none */\n.NAME r\n.SORT a\n.HEADER a\n")
        << QStringList{"2: error: no data source: neither .QUERY nor .DATA (E_RW1019)"};
    QTest::newRow("8 each report its own")
        << QByteArray(".NAME r .TABLE t\n.NAME s .SORT a\n.NAME u .VIEW v\n")
        << QStringList{"2: error: no data source: neither .QUERY nor .DATA (E_RW1019)"};

    // 9: bytes.
    QTest::newRow("9 last line without line end")
        << Head + ".DETAIL\n.IF a > 1 .THEN .PRINT a\n.ENDIF"
        << QStringList{"5: error: .IF without .ENDIF: the text ends inside it (E_RW13A2)",
                       "6: warning: last line has no line end: the report program drops it"};
    QTest::newRow("9 last line of blanks") << Head + "  " << QStringList();
    QTest::newRow("9 NUL") << Head + ".DETAIL\n.PRINT 'a" + QByteArray(1, '\0') + "b'\n"
                           << QStringList{"5: error: NUL byte in the text"};
    QTest::newRow("9 control characters")
        << Head + ".DETAIL\n.PRINT 'a\x07\x1b'\r\n.NEWLINE\r\n\t.PRINT 'b\rc'\n"
        << QStringList{"5: warning: control character 0x07 in the text",
                       "7: warning: control character 0x0d in the text"};
}

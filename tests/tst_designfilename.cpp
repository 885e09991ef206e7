// Links: kestrova_windows
#include "windows/DesignFileName.h"

#include <QTest>

// The design file that belongs to a report file name.
class TestDesignFileName : public QObject
{
    Q_OBJECT

private slots:
    void designFileName_data();
    void designFileName();
    void isDesignFile_data();
    void isDesignFile();
};

void TestDesignFileName::designFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("text file") << R"(C:\REPORTS\SALES.RW)"
                               << R"(C:\REPORTS\SALES.kfx)";
    QTest::newRow("folder holding .RW") << R"(C:\OLD.RW\SALES.RW)"
                                        << R"(C:\OLD.RW\SALES.kfx)";
    QTest::newRow("no extension") << R"(C:\REPORTS\SALES)"
                                  << R"(C:\REPORTS\SALES.kfx)";
    // The dot of a folder is no extension of the file name.
    QTest::newRow("dotted folder, no extension") << R"(C:\OLD.RW\SALES)"
                                                 << R"(C:\OLD.RW\SALES.kfx)";
    QTest::newRow("dotted folder, other extension") << R"(C:\OLD.RW\SALES.TXT)"
                                                    << R"(C:\OLD.RW\SALES.kfx)";
    QTest::newRow("dotted folders, relative") << R"(A.B\C.D\SALES)"
                                              << R"(A.B\C.D\SALES.kfx)";
    QTest::newRow("dotted design folder, no extension") << R"(C:\OLD.KFX\SALES)"
                                                        << R"(C:\OLD.KFX\SALES.kfx)";
    QTest::newRow("dotted folder, forward slash after backslash") << R"(C:\OLD.RW/SALES)"
                                                                  << R"(C:\OLD.RW/SALES.kfx)";
    QTest::newRow("dotted folder, backslash after slash") << R"(C:/OLD.RW\SALES)"
                                                          << R"(C:/OLD.RW\SALES.kfx)";
    QTest::newRow("folder holding .rw, no extension") << "/home/ann/old.rw/sales"
                                                      << "/home/ann/old.rw/sales.kfx";
    QTest::newRow("dotted folder in /tmp, no extension") << "/tmp/old.rw/sales"
                                                         << "/tmp/old.rw/sales.kfx";
    QTest::newRow("dotted folder in /tmp, extension") << "/tmp/old.rw/sales.rw"
                                                      << "/tmp/old.rw/sales.kfx";
    QTest::newRow("letter case kept") << "/home/ann/Reports/Sales.rw"
                                      << "/home/ann/Reports/Sales.kfx";
    QTest::newRow("last dot only") << "/r/sales.2024.rw"
                                   << "/r/sales.2024.kfx";
    QTest::newRow("trailing dot") << "/r/sales."
                                  << "/r/sales.kfx";
    QTest::newRow("bare name") << "SALES"
                               << "SALES.kfx";
    // A design file chosen as such is the file itself, whatever its case.
    QTest::newRow("design file, upper case") << "/r/SALES.KFX"
                                             << "/r/SALES.KFX";
    QTest::newRow("design file, mixed case") << "/r/Sales.Kfx"
                                             << "/r/Sales.Kfx";
    QTest::newRow("new report") << "SALES.kfx"
                                << "SALES.kfx";
}

void TestDesignFileName::designFileName()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(designFileNameFor(name), expected);
}

void TestDesignFileName::isDesignFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("expected");

    QTest::newRow("lower") << "/r/sales.kfx" << true;
    QTest::newRow("upper") << "/r/SALES.KFX" << true;
    QTest::newRow("mixed") << R"(C:\R\Sales.kFx)" << true;
    QTest::newRow("text") << "/r/sales.rw" << false;
    QTest::newRow("folder only") << "/r/old.kfx/sales" << false;
    QTest::newRow("folder only, Windows") << R"(C:\OLD.KFX\SALES)" << false;
    QTest::newRow("Windows folder, forward slash") << R"(C:\OLD.KFX/SALES)" << false;
    QTest::newRow("longer extension") << "/r/sales.kfxx" << false;
    QTest::newRow("none") << "sales" << false;
}

void TestDesignFileName::isDesignFile()
{
    QFETCH(QString, name);
    QFETCH(bool, expected);
    QCOMPARE(isDesignFileName(name), expected);
}

QTEST_GUILESS_MAIN(TestDesignFileName)
#include "tst_designfilename.moc"

// Links: kestrova_editor
#include "editor/SourceEditor.h"
#include "editor/SourceSearch.h"

#include <QTest>

// Find and replace in the source editor: direction, going round the end,
// case and whole words, and replacements that keep the line objects of
// the lines they leave alone.
class TestSourceSearch : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void findMovesThroughTheMatches_data();
    void findMovesThroughTheMatches();
    void replaceChangesTheSelectedMatchOnly();
    void replaceAllIsOneStepAndTerminates();
    void replacementsKeepUntouchedLineObjects();

private:
    // The line and column where the selection starts.
    QPair<int, int> selectionStart() const;

    std::unique_ptr<QWidget> m_window;
    SourceEditor *m_editor = nullptr;
};

void TestSourceSearch::init()
{
    m_window = std::make_unique<QWidget>();
    m_editor = new SourceEditor(nullptr, m_window.get());
    m_editor->setText(QStringLiteral(".PRINT total\n.PRINT Total\n.PRINT subtotal\n.TAB 2\n"));
    m_editor->setCursorPosition(0, 0);
}

void TestSourceSearch::cleanup()
{
    m_window.reset();
}

QPair<int, int> TestSourceSearch::selectionStart() const
{
    int lineFrom = -1;
    int indexFrom = -1;
    int lineTo = -1;
    int indexTo = -1;
    m_editor->getSelection(&lineFrom, &indexFrom, &lineTo, &indexTo);
    return {lineFrom, indexFrom};
}

void TestSourceSearch::findMovesThroughTheMatches_data()
{
    using Outcome = SourceSearch::Outcome;
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<QList<bool>>("forward");
    QTest::addColumn<QList<int>>("lines");
    QTest::addColumn<QList<Outcome>>("outcomes");

    const QString total = QStringLiteral("total");
    QTest::newRow("forward, any case")
        << total << false << false << QList<bool>{true, true, true, true} << QList<int>{0, 1, 2, 0}
        << QList<Outcome>{Outcome::Found, Outcome::Found, Outcome::Found,
                          Outcome::FoundAfterWrapping};
    QTest::newRow("match case") << total << true << false << QList<bool>{true, true, true}
                                << QList<int>{0, 2, 0}
                                << QList<Outcome>{Outcome::Found, Outcome::Found,
                                                  Outcome::FoundAfterWrapping};
    QTest::newRow("whole word") << total << false << true << QList<bool>{true, true, true}
                                << QList<int>{0, 1, 0}
                                << QList<Outcome>{Outcome::Found, Outcome::Found,
                                                  Outcome::FoundAfterWrapping};
    QTest::newRow("back and forth")
        << total << false << false << QList<bool>{true, true, false, false}
        << QList<int>{0, 1, 0, 2}
        << QList<Outcome>{Outcome::Found, Outcome::Found, Outcome::Found,
                          Outcome::FoundAfterWrapping};
    // A text that occurs once: each further search goes round to it again.
    QTest::newRow("once, forward")
        << QStringLiteral("subtotal") << false << false << QList<bool>{true, true, true}
        << QList<int>{2, 2, 2}
        << QList<Outcome>{Outcome::Found, Outcome::FoundAfterWrapping, Outcome::FoundAfterWrapping};
    QTest::newRow("once, backward")
        << QStringLiteral("subtotal") << false << false << QList<bool>{true, false, false}
        << QList<int>{2, 2, 2}
        << QList<Outcome>{Outcome::Found, Outcome::FoundAfterWrapping, Outcome::FoundAfterWrapping};
}

void TestSourceSearch::findMovesThroughTheMatches()
{
    QFETCH(QString, text);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWord);
    QFETCH(QList<bool>, forward);
    QFETCH(QList<int>, lines);
    QFETCH(QList<SourceSearch::Outcome>, outcomes);
    const SourceSearch search(*m_editor);
    for (qsizetype step = 0; step < forward.size(); ++step) {
        const SourceSearch::Outcome outcome =
            search.find(text, {matchCase, wholeWord}, forward.at(step));
        QCOMPARE(outcome, outcomes.at(step));
        QCOMPARE(selectionStart().first, lines.at(step));
        QCOMPARE(m_editor->selectedText().toLower(), text);
    }
    QCOMPARE(search.find(QStringLiteral("grand"), {}, true), SourceSearch::Outcome::NotFound);
    QCOMPARE(search.find(QString(), {}, true), SourceSearch::Outcome::NotFound);
}

void TestSourceSearch::replaceChangesTheSelectedMatchOnly()
{
    const SourceSearch search(*m_editor);
    const SourceSearch::Options wholeWords{false, true};
    // Nothing selected yet: the first replace only finds.
    QCOMPARE(search.replace(QStringLiteral("total"), QStringLiteral("sum"), wholeWords),
             SourceSearch::Outcome::Found);
    QCOMPARE(m_editor->text(0), QStringLiteral(".PRINT total\n"));
    search.replace(QStringLiteral("total"), QStringLiteral("sum"), wholeWords);
    QCOMPARE(m_editor->text(0), QStringLiteral(".PRINT sum\n"));
    QCOMPARE(selectionStart().first, 1);
    QCOMPARE(m_editor->text(2), QStringLiteral(".PRINT subtotal\n"));
}

void TestSourceSearch::replaceAllIsOneStepAndTerminates()
{
    const SourceSearch search(*m_editor);
    m_editor->setCursorPosition(2, 0);
    // The replacement holds the text: each match is replaced once.
    QCOMPARE(search.replaceAll(QStringLiteral("total"), QStringLiteral("total sum"), {}), 3);
    QCOMPARE(m_editor->text(),
             QStringLiteral(".PRINT total sum\n.PRINT total sum\n.PRINT subtotal sum\n.TAB 2\n"));
    m_editor->undo();
    QCOMPARE(m_editor->text(),
             QStringLiteral(".PRINT total\n.PRINT Total\n.PRINT subtotal\n.TAB 2\n"));
    QCOMPARE(search.replaceAll(QStringLiteral("grand"), QStringLiteral("x"), {}), 0);
}

void TestSourceSearch::replacementsKeepUntouchedLineObjects()
{
    m_editor->clear();
    QList<QObject *> components;
    for (const char *text : {".PRINT total", ".TAB 2", ".PRINT amount"}) {
        auto *component = new QObject(m_window.get());
        components.append(component);
        m_editor->addLine(QString::fromLatin1(text), LineObject{component, nullptr});
    }
    const SourceSearch search(*m_editor);
    QCOMPARE(search.replaceAll(QStringLiteral(".PRINT"), QStringLiteral(".PRINTLN"), {}), 2);
    for (int line = 0; line < 3; ++line)
        QCOMPARE(m_editor->lineObject(line).component.data(), components.at(line));
    // A replacement that joins two lines keeps the first one's object.
    m_editor->setCursorPosition(0, 0);
    search.replaceAll(QStringLiteral("total\n"), QStringLiteral("total "), {});
    QCOMPARE(m_editor->lineObject(0).component.data(), components.at(0));
    QCOMPARE(m_editor->lineObject(1).component.data(), components.at(2));
}

QTEST_MAIN(TestSourceSearch)
#include "tst_sourcesearch.moc"

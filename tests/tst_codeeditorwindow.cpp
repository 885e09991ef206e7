// Links: kestrova_dialogs
#include "PropertyGridInput.h"

#include "dialogs/CodeEditorWindow.h"
#include "dialogs/PropertyEditWindow.h"
#include "dialogs/PropertyGrid.h"

#include "editor/EditorCompletion.h"
#include "editor/EditorGlyphs.h"
#include "editor/EditorSettings.h"
#include "editor/SettingsFiles.h"
#include "editor/SourceEditor.h"

#include "designer/DesignStage.h"

#include "generation/TextCode.h"

#include "model/ComponentOwner.h"
#include "model/ObjectStream.h"
#include "model/ReportClasses.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using Mark = CodeEditorWindow::Mark;
using SectionMark = CodeEditorWindow::SectionMark;

CodeLines codeLines(const QStringList &texts)
{
    CodeLines lines;
    lines.setTexts(texts);
    return lines;
}

// "A1,B2" for lines named after their region and number.
QStringList numbered(const QString &prefix, int count)
{
    QStringList texts;
    for (int number = 1; number <= count; ++number)
        texts.append(prefix + QString::number(number));
    return texts;
}

QList<int> sectionMarkLines(const CodeEditorWindow &window)
{
    QList<int> lines;
    for (const Mark &mark : window.marks()) {
        if (mark.image == CodeEditorWindow::SectionMarkImage)
            lines.append(mark.line);
    }
    return lines;
}

// The editor lines (from 1) on which the editor shows a mark's image.
QList<int> linesShowingImage(SourceEditor *editor, int image)
{
    QList<int> lines;
    for (int line = 0; line < editor->lineCount(); ++line) {
        if (editor->markersAtLine(line) & (1u << (SourceEditor::FirstMarkMarker + image)))
            lines.append(line + 1);
    }
    return lines;
}

bool isColoured(SourceEditor *editor, int line)
{
    return editor->markersAtLine(line) & (1u << SourceEditor::FirstColourMarker);
}

bool centredOn(const QWidget &window, const QWidget &frame)
{
    return (window.frameGeometry().center() - frame.frameGeometry().center()).manhattanLength()
           <= 3;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A band with one text item whose ".PRINT" line carries its caption tag.
struct CaptionFixture
{
    ComponentOwner owner;
    std::unique_ptr<ReportPage> page = std::make_unique<ReportPage>(&owner, nullptr);
    Band *band = new Band(&owner, page.get());
    TextItem *item = new TextItem(&owner, band);

    CaptionFixture()
    {
        item->setName(QStringLiteral("mText1"));
        item->setCaption(QStringLiteral("Total"));
    }

    CodeLines generated() const
    {
        CodeLines lines;
        lines.add(QStringLiteral(".HEADER REPORT"), band);
        lines.add(QStringLiteral("\t.TAB 10"), item, spTab);
        lines.add(QStringLiteral("\t.PRINT Total(f10.2)"), item, spCaption);
        lines.add(QStringLiteral("\t.NEWLINE 1"), band, spNewLine);
        return lines;
    }
};

} // namespace

class tst_CodeEditorWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void composition();
    void sectionMarks_data();
    void sectionMarks();
    void marksMoveWithLines_data();
    void marksMoveWithLines();
    void itemMarks();
    void emptyLinesKept();

    void captionFromPrintLine_data();
    void captionFromPrintLine();
    void typingOnCaptionLineRenames();
    void captionLineColours();

    void settingsFirstUse();
    void settingsCarryOver();
    void unreadableSettings();
    void unreadableWordListKeepsSettings();
    void completion();

    void propertyEditWindow();
    void propertyEditErrors();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_messages;
    CodeEditorWindow::MessageFunction collect()
    {
        return [this](const QString &text) {
            m_messages.append(text);
        };
    }
};

void tst_CodeEditorWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv("KESTROVA_CONFIG_DIR", m_dir->path().toLocal8Bit());
    CompletionFile.clear();
    m_messages.clear();
}

void tst_CodeEditorWindow::composition()
{
    QWidget frame;
    frame.setGeometry(100, 100, 900, 700);
    CodeEditorWindow window(&frame, collect());
    QCOMPARE(window.objectName(), QStringLiteral("BefAfForm"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Text"));
    QCOMPARE(window.size(), QSize(507, 470));
    QCOMPARE(window.minimumSize(), QSize(190, 190));
    QCOMPARE(window.okButton()->text(), QStringLiteral("Ok"));
    QCOMPARE(window.okButton()->objectName(), QStringLiteral("OkButton"));
    QCOMPARE(window.okButton()->geometry(), QRect(10, 5, 75, 25));
    QCOMPARE(window.cancelButton()->text(), QStringLiteral("Cancel"));
    QCOMPARE(window.cancelButton()->objectName(), QStringLiteral("AnulujButton"));
    QCOMPARE(window.cancelButton()->geometry(), QRect(96, 5, 75, 25));
    QCOMPARE(window.pageControl()->count(), 1);
    QCOMPARE(window.pageControl()->tabText(0), QStringLiteral("Print Code"));
    QCOMPARE(window.stage()->objectName(), QStringLiteral("DsnStageBF"));

    SourceEditor *editor = window.textEdit();
    QCOMPARE(editor->objectName(), QStringLiteral("TextEdit"));
    QCOMPARE(editor->parentWidget(), window.stage());
    QCOMPARE(editor->tabWidth(), 5);
    QCOMPARE(editor->rightEdge(), 255);
    QCOMPARE(editor->completion()->rows, 8);
    QVERIFY(editor->hasOption(SourceEditor::HalfPageScrolling));
    QCOMPARE(editor->lineCount(), 0);
    QCOMPARE(m_messages, QStringList{});

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(centredOn(window, frame));
    QCOMPARE(QApplication::focusWidget(), editor);
}

void tst_CodeEditorWindow::sectionMarks_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("generated");
    QTest::addColumn<int>("after");
    QTest::addColumn<QList<int>>("markLines");

    QTest::newRow("band without code of its own") << 0 << 4 << 0 << QList<int>{1, 4};
    QTest::newRow("text item with three lines before") << 3 << 2 << 0 << QList<int>{4, 5};
    QTest::newRow("before and after") << 2 << 3 << 1 << QList<int>{3, 5};
    QTest::newRow("one generated line") << 1 << 1 << 2 << QList<int>{2, 2};
}

// The regions a band dialog is filled with, read back unchanged.
void tst_CodeEditorWindow::sectionMarks()
{
    QFETCH(int, before);
    QFETCH(int, generated);
    QFETCH(int, after);
    QFETCH(QList<int>, markLines);

    CodeEditorWindow window(nullptr, collect());
    window.addCodeLines(codeLines(numbered("B", before)), SectionMark::Start);
    window.addCodeLines(codeLines(numbered("G", generated)), SectionMark::End);
    window.addCodeLines(codeLines(numbered("A", after)));
    QCOMPARE(sectionMarkLines(window), markLines);
    QList<int> shown = markLines;
    shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
    QCOMPARE(linesShowingImage(window.textEdit(), CodeEditorWindow::SectionMarkImage), shown);
    QCOMPARE(window.linesBeforeSection().texts(), numbered("B", before));
    QCOMPARE(window.linesAfterSection().texts(), numbered("A", after));
    QCOMPARE(window.allLines().size(), before + generated + after);
    int line = -1;
    int column = -1;
    window.textEdit()->getCursorPosition(&line, &column);
    QCOMPARE(line, 0);
    QCOMPARE(column, 0);
}

void tst_CodeEditorWindow::marksMoveWithLines_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QList<int>>("markLines");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");

    // The editor holds B1 B2 | G1 G2 G3 | A1, marks on lines 3 and 5.
    QTest::newRow("line typed above the block")
        << "enter at 1,0" << QList<int>{4, 6} << QStringList{"", "B1", "B2"} << QStringList{"A1"};
    QTest::newRow("Enter at the start of the block")
        << "enter at 3,0" << QList<int>{4, 6} << QStringList{"B1", "B2", ""} << QStringList{"A1"};
    QTest::newRow("every before line deleted")
        << "delete 1,0-3,0" << QList<int>{1, 3} << QStringList{} << QStringList{"A1"};
    QTest::newRow("line typed below the block")
        << "enter at 6,2" << QList<int>{3, 5} << QStringList{"B1", "B2"} << QStringList{"A1", ""};
    // The generated lines are protected: a deletion that reaches into them
    // is refused whole, and nothing moves.
    QTest::newRow("line inside the block: refused")
        << "delete 4,0-5,0" << QList<int>{3, 5} << QStringList{"B1", "B2"} << QStringList{"A1"};
    QTest::newRow("from the block into the after line: refused")
        << "delete 5,2-6,2" << QList<int>{3, 5} << QStringList{"B1", "B2"} << QStringList{"A1"};
}

void tst_CodeEditorWindow::marksMoveWithLines()
{
    QFETCH(QString, edit);
    QFETCH(QList<int>, markLines);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);

    CodeEditorWindow window(nullptr, collect());
    window.addCodeLines(codeLines({"B1", "B2"}), SectionMark::Start);
    window.addCodeLines(codeLines({"G1", "G2", "G3"}), SectionMark::End);
    window.addCodeLines(codeLines({"A1"}));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    SourceEditor *editor = window.textEdit();

    // "enter at L,C" and "delete L,C-L,C" count lines from 1.
    const QStringList words = edit.split(u' ');
    const auto point = [](const QString &text) {
        const QStringList parts = text.split(u',');
        return QPoint(parts[1].toInt(), parts[0].toInt() - 1);
    };
    if (words.first() == u"enter") {
        const QPoint at = point(words.last());
        editor->setCursorPosition(at.y(), at.x());
        QTest::keyClick(editor, Qt::Key_Return);
    } else {
        const QStringList ends = words.last().split(u'-');
        const QPoint from = point(ends.first());
        const QPoint to = point(ends.last());
        editor->setSelection(from.y(), from.x(), to.y(), to.x());
        QTest::keyClick(editor, Qt::Key_Delete);
    }
    QCOMPARE(sectionMarkLines(window), markLines);
    QCOMPARE(window.linesBeforeSection().texts(), before);
    QCOMPARE(window.linesAfterSection().texts(), after);
}

// Generation marks items with lines counted in its own code; the window
// adds the lines that precede that code, and marks lines still to come
// once they are there.
void tst_CodeEditorWindow::itemMarks()
{
    QObject item;
    item.setObjectName(QStringLiteral("mText3"));
    CodeEditorWindow window(nullptr, collect());
    window.addCodeLines(codeLines({"B1", "B2"}), SectionMark::Start);
    window.markItemLines(&item, 2, ItemMark::Start);
    window.markItemLines(&item, 3, ItemMark::End);
    QCOMPARE(linesShowingImage(window.textEdit(), CodeEditorWindow::ItemMarkImage), QList<int>{});
    window.addCodeLines(codeLines({"G1", "G2", "G3", "G4"}), SectionMark::End);
    const QList<Mark> expected = {{3, 1, QString()},
                                  {4, 0, QStringLiteral("mText3_p")},
                                  {5, 0, QStringLiteral("mText3_k")},
                                  {6, 1, QString()}};
    QCOMPARE(window.marks(), expected);
    QCOMPARE(linesShowingImage(window.textEdit(), CodeEditorWindow::ItemMarkImage),
             (QList<int>{4, 5}));
    // Item marks have a gutter column of their own: one on the line of a
    // section mark shows beside it.
    SourceEditor *editor = window.textEdit();
    const int itemMarker = 1 << (SourceEditor::FirstMarkMarker + CodeEditorWindow::ItemMarkImage);
    const int sectionMarker =
        1 << (SourceEditor::FirstMarkMarker + CodeEditorWindow::SectionMarkImage);
    QVERIFY(editor->marginMarkerMask(0) & sectionMarker);
    QVERIFY(!(editor->marginMarkerMask(0) & itemMarker));
    QCOMPARE(editor->marginMarkerMask(2), itemMarker);
    QVERIFY(editor->marginWidth(2) >= EditorGlyphs::GlyphWidth);

    CodeEditorWindow page(nullptr, collect());
    int generatedBefore = 7;
    page.setLinesBeforeGeneratedCode([&generatedBefore] { return generatedBefore; });
    page.markItemLines(&item, 1, ItemMark::Start);
    QCOMPARE(page.marks(), (QList<Mark>{{8, 0, QStringLiteral("mText3_p")}}));
    page.addCodeLines(codeLines(numbered("P", 9)));
    QCOMPARE(linesShowingImage(page.textEdit(), CodeEditorWindow::ItemMarkImage), QList<int>{8});

    // The marks move with their lines once the user edits.
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.textEdit()->setCursorPosition(0, 0);
    QTest::keyClick(page.textEdit(), Qt::Key_Return);
    QCOMPARE(page.marks(), (QList<Mark>{{9, 0, QStringLiteral("mText3_p")}}));
}

// An editor cannot tell one empty line from none; the window keeps count.
void tst_CodeEditorWindow::emptyLinesKept()
{
    CodeEditorWindow window(nullptr, collect());
    window.addCodeLines(codeLines({""}), SectionMark::Start);
    window.addCodeLines(codeLines({"G1"}), SectionMark::End);
    window.addCodeLines(codeLines({"", ""}));
    QCOMPARE(window.textEdit()->text(), QStringLiteral("\nG1\n\n"));
    QCOMPARE(sectionMarkLines(window), (QList<int>{2, 2}));
    QCOMPARE(window.linesBeforeSection().texts(), QStringList{""});
    QCOMPARE(window.linesAfterSection().texts(), (QStringList{"", ""}));
}

void tst_CodeEditorWindow::captionFromPrintLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("isPrintLine");
    QTest::addColumn<QString>("caption");

    QTest::newRow("generated") << "\t\t.PRINT Total"
                               << "" << true << "Total";
    QTest::newRow("format suffix left out") << "\t.PRINT Total(f10.2)"
                                            << "f10.2" << true << "Total";
    QTest::newRow("format written with blanks") << ".PRINT x(f10)"
                                                << " f10 " << true << "x";
    QTest::newRow("suffix of another format kept") << ".PRINT x(c5)"
                                                   << "f10" << true << "x(c5)";
    QTest::newRow("brackets of a caption without format") << ".PRINT Sum (EUR)"
                                                          << "" << true << "Sum (EUR)";
    QTest::newRow("only one blank taken") << ".PRINT   two"
                                          << "" << true << "  two";
    QTest::newRow("trailing blanks kept") << ".PRINT a "
                                          << "" << true << "a ";
    QTest::newRow("keyword in any case, indented by blanks") << "   .print a"
                                                             << "" << true << "a";
    QTest::newRow("caption emptied") << "\t.PRINT"
                                     << "" << true << "";
    QTest::newRow("keyword in the caption kept") << ".PRINT .PRINT"
                                                 << "" << true << ".PRINT";
    QTest::newRow("another statement") << "\t.TAB 5"
                                       << "" << false << "";
    QTest::newRow("a longer keyword") << ".PRINTLN x"
                                      << "" << false << "";
}

void tst_CodeEditorWindow::captionFromPrintLine()
{
    QFETCH(QString, line);
    QFETCH(QString, format);
    QFETCH(bool, isPrintLine);
    QFETCH(QString, caption);
    const std::optional<QString> result = ::captionFromPrintLine(line, format);
    QCOMPARE(result.has_value(), isPrintLine);
    if (result)
        QCOMPARE(*result, caption);
}

void tst_CodeEditorWindow::typingOnCaptionLineRenames()
{
    CaptionFixture f;
    f.item->format = QStringLiteral("f10.2");
    CodeEditorWindow window(nullptr, collect());
    window.addCodeLines(f.generated());
    QCOMPARE(f.item->caption(), QStringLiteral("Total"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    SourceEditor *editor = window.textEdit();

    editor->setCursorPosition(2, 13); // after "Total"
    QTest::keyClicks(editor, "S");
    QCOMPARE(f.item->caption(), QStringLiteral("TotalS"));
    QTest::keyClicks(editor, "um");
    QCOMPARE(f.item->caption(), QStringLiteral("TotalSum"));
    QTest::keyClick(editor, Qt::Key_Backspace);
    QCOMPARE(f.item->caption(), QStringLiteral("TotalSu"));

    // Other lines leave it alone, and so does closing without OK.
    editor->setCursorPosition(1, 7);
    QTest::keyClick(editor, Qt::Key_5);
    QCOMPARE(f.item->caption(), QStringLiteral("TotalSu"));
    QTest::mouseClick(window.cancelButton(), Qt::LeftButton);
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QCOMPARE(f.item->caption(), QStringLiteral("TotalSu"));
}

void tst_CodeEditorWindow::captionLineColours()
{
    CaptionFixture f;
    f.item->format = QStringLiteral("f10.2");
    CodeEditorWindow window(nullptr, collect());
    window.addCodeLines(f.generated());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    SourceEditor *editor = window.textEdit();
    QVERIFY(!isColoured(editor, 1));
    QVERIFY(isColoured(editor, 2));
    QCOMPARE(editor->SendScintilla(QsciScintillaBase::SCI_MARKERSYMBOLDEFINED,
                                   SourceEditor::FirstColourMarker),
             long(QsciScintillaBase::SC_MARK_BACKGROUND));

    editor->setCursorPosition(2, 9);
    QTest::keyClicks(editor, "xy");
    QVERIFY(isColoured(editor, 2));
    // A line the user adds, even one copied from the caption line, is not.
    editor->setCursorPosition(2, int(editor->lineText(2).size()));
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, ".PRINT copy");
    QVERIFY(isColoured(editor, 2));
    QVERIFY(!isColoured(editor, 3));
    QCOMPARE(f.item->caption(), QStringLiteral("Txyotal"));
}

void tst_CodeEditorWindow::settingsFirstUse()
{
    const QString settings = SettingsFiles::codeEditorSettingsPath();
    QCOMPARE(QFileInfo(settings).fileName(), QStringLiteral("BF.dat"));
    QVERIFY(!QFile::exists(settings));
    {
        CodeEditorWindow window(nullptr, collect());
        QCOMPARE(m_messages, QStringList{});
    }
    QVERIFY(QFile::exists(settings));
    QCOMPARE(m_messages, QStringList{});
}

// Settings changed in the property window reach "BF.dat" however the
// dialog is closed; its lines are stored with them and dropped again.
void tst_CodeEditorWindow::settingsCarryOver()
{
    {
        CodeEditorWindow window(nullptr, collect());
        window.addCodeLines(codeLines({"kept only in the file"}));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.textEdit()->contextMenu()->actions().first()->trigger();
        auto *properties = window.findChild<PropertyEditWindow *>();
        QVERIFY(properties);
        typeIntoGrid(properties->grid(), QStringLiteral("Font.Height"), QStringLiteral("-20"));
        QCOMPARE(window.textEdit()->fontHeight(), -20);
        QTest::mouseClick(window.cancelButton(), Qt::LeftButton);
    }
    QVERIFY(QFile::exists(SettingsFiles::codeEditorSettingsPath()));
    CodeEditorWindow next(nullptr, collect());
    QCOMPARE(next.textEdit()->fontHeight(), -20);
    QCOMPARE(next.textEdit()->objectName(), QStringLiteral("TextEdit"));
    QCOMPARE(next.stage()->findChildren<SourceEditor *>().size(), 1);
    QCOMPARE(next.textEdit()->lineCount(), 0);
    QCOMPARE(m_messages, QStringList{});

    // The editor read from the file has the window's handlers.
    CaptionFixture f;
    next.addCodeLines(f.generated());
    QVERIFY(isColoured(next.textEdit(), 2));
    next.textEdit()->contextMenu()->actions().first()->trigger();
    QVERIFY(next.findChild<PropertyEditWindow *>());
}

void tst_CodeEditorWindow::unreadableSettings()
{
    writeFile(SettingsFiles::codeEditorSettingsPath(), "TPF0 not an editor");
    CodeEditorWindow window(nullptr, collect());
    QCOMPARE(m_messages, QStringList{"ERROR. Cannot open setting file."});
    SourceEditor *editor = window.textEdit();
    QVERIFY(editor);
    QCOMPARE(editor->objectName(), QStringLiteral("TextEdit"));
    QCOMPARE(editor->tabWidth(), 5);
    window.addCodeLines(codeLines({"a"}), SectionMark::Start);
    QCOMPARE(window.allLines().texts(), QStringList{"a"});

    m_messages.clear();
    QVERIFY(!window.saveDialogSettings(m_dir->filePath(QStringLiteral("missing/BF.dat"))));
    QCOMPARE(m_messages, QStringList{"ERROR. Cannot open setting file."});
}

// A word list that cannot be read costs the words, never the settings.
void tst_CodeEditorWindow::unreadableWordListKeepsSettings()
{
    {
        CodeEditorWindow window(nullptr, collect());
        window.textEdit()->setRightEdge(80);
    }
    CompletionFile = m_dir->filePath(QStringLiteral("missing-words.txt"));
    {
        CodeEditorWindow window(nullptr, collect());
        QCOMPARE(window.textEdit()->rightEdge(), 80);
        QVERIFY(window.textEdit()->completion()->words().isEmpty());
    }
    CompletionFile.clear();
    CodeEditorWindow next(nullptr, collect());
    QCOMPARE(next.textEdit()->rightEdge(), 80);
}

void tst_CodeEditorWindow::completion()
{
    CompletionFile = m_dir->filePath(QStringLiteral("words.txt"));
    writeFile(CompletionFile, ".PRINT\n.TAB\n");
    CodeEditorWindow window(nullptr, collect());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    SourceEditor *editor = window.textEdit();
    QCOMPARE(editor->completion()->words(), (QStringList{".PRINT", ".TAB"}));
    QTest::keyClicks(editor, ".T");
    QTest::keyClick(editor, Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(editor->isListActive());
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(editor->text(), QStringLiteral(".TAB"));
}

void tst_CodeEditorWindow::propertyEditWindow()
{
    QWidget frame;
    frame.setGeometry(100, 100, 900, 700);
    auto owned = std::make_unique<SourceEditor>();
    SourceEditor &editor = *owned;
    PropertyEditWindow *window =
        PropertyEditWindow::open(&editor, sourceEditorPropertyTable(), &frame);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->windowTitle(), QStringLiteral("Property Edit"));
    QCOMPARE(window->size(), QSize(201, 324));
    QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(window->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(centredOn(*window, frame));
    PropertyGrid *grid = window->grid();
    QCOMPARE(grid->columnWidth(0), 75);

    // Sets are not listed; records unfold into their members.
    for (const char *listed : {"Name", "Color", "Font", "Font.Name", "Font.Height", "Gutter.Width",
                               "RightEdge", "TabWidth", "WantTabs", "KeyBindings", "Lines"})
        QVERIFY2(grid->row(QString::fromLatin1(listed)), listed);
    for (const char *unlisted : {"Options", "Font.Style"})
        QVERIFY2(!grid->row(QString::fromLatin1(unlisted)), unlisted);
    QCOMPARE(grid->row(QStringLiteral("Color"))->text(1), QStringLiteral("clWindow"));
    QCOMPARE(grid->row(QStringLiteral("Font"))->text(1), QStringLiteral("(TFont)"));

    // Typed values, names of colours and chosen enumeration values take
    // effect at once.
    const auto type = [grid](const QString &path, const QString &value) {
        typeIntoGrid(grid, path, value);
    };
    type(QStringLiteral("RightEdge"), QStringLiteral("100"));
    QCOMPARE(editor.rightEdge(), 100);
    QCOMPARE(editor.edgeColumn(), 100);
    type(QStringLiteral("Gutter.Color"), QStringLiteral("clWhite"));
    QCOMPARE(editor.gutterColor(), qint64(NamedValues::clWhite));
    QCOMPARE(grid->row(QStringLiteral("Gutter.Color"))->text(1), QStringLiteral("clWhite"));
    type(QStringLiteral("Font.Name"), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(editor.fontName(), QStringLiteral("DejaVu Sans Mono"));

    grid->expandItem(grid->row(QStringLiteral("Gutter")));
    grid->editItem(grid->row(QStringLiteral("Gutter.LineNumbers")), 1);
    auto *chooser = grid->findChild<QComboBox *>();
    QVERIFY(chooser);
    chooser->setCurrentIndex(chooser->findText(QStringLiteral("True")));
    emit chooser->activated(chooser->currentIndex());
    QVERIFY(editor.lineNumbers());

    // It goes with its object.
    QPointer<PropertyEditWindow> watched = window;
    owned.reset();
    QTRY_VERIFY(watched.isNull());
}

void tst_CodeEditorWindow::propertyEditErrors()
{
    SourceEditor editor;
    PropertyEditWindow window(&editor, sourceEditorPropertyTable(), nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PropertyGrid *grid = window.grid();
    QStringList errors;
    grid->setErrorHandler([&errors](const QString &message) { errors.append(message); });
    typeIntoGrid(grid, QStringLiteral("TabWidth"), QStringLiteral("wide"));
    QCOMPARE(errors, QStringList{"wide is illegal (TabWidth)"});
    QCOMPARE(editor.tabWidth(), 8);
    QCOMPARE(grid->row(QStringLiteral("TabWidth"))->text(1), QStringLiteral("8"));
    // Lists and records are shown, not typed.
    QVERIFY(!(grid->row(QStringLiteral("Lines"))->flags() & Qt::ItemIsEditable));
    QVERIFY(!(grid->row(QStringLiteral("Font"))->flags() & Qt::ItemIsEditable));
}

QTEST_MAIN(tst_CodeEditorWindow)
#include "tst_codeeditorwindow.moc"

// Links: kestrova_editor
#include "editor/EditorCompletion.h"
#include "editor/EditorSettings.h"
#include "editor/ReportWriterLexer.h"
#include "editor/SourceEditor.h"
#include "editor/TextFiles.h"
#include "model/ComponentOwner.h"
#include "model/ObjectStream.h"
#include "model/StreamDump.h"

#include <QAction>
#include <QFile>
#include <QFontInfo>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using Sci = QsciScintillaBase;

// Style letters, one per character of a sample: '.' default text or blanks,
// 'c' dot-command, 'p' (* *) comment, 's' /* */ comment, 'q' string,
// 'k' the hidden keyword.
QString styleLetters(SourceEditor &editor)
{
    editor.SendScintilla(Sci::SCI_COLOURISE, 0, -1);
    static const QString letters = QStringLiteral(".cpsqk");
    QString result;
    const int length = int(editor.SendScintilla(Sci::SCI_GETLENGTH));
    for (int position = 0; position < length; ++position) {
        const int style = int(editor.SendScintilla(Sci::SCI_GETSTYLEAT, position));
        result += style < letters.size() ? letters[style] : u'?';
    }
    return result;
}

QString objectNames(const SourceEditor &editor)
{
    QStringList names;
    for (int line = 0; line < editor.lineCount(); ++line) {
        const LineObject object = editor.lineObject(line);
        names.append(object.component ? object.component->objectName() : QStringLiteral("-"));
    }
    return names.join(u',');
}

// A point a little left of the middle of the character at (line, index):
// the editor takes the nearest column boundary, the one before it.
QPoint pointOf(SourceEditor &editor, int line, int index)
{
    const auto xOf = [&editor](int position) {
        return int(editor.SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0, position));
    };
    const int position = editor.positionFromLineIndex(line, index);
    const int x = xOf(position);
    const int width = xOf(position + 1) - x;
    const int y = int(editor.SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0, position));
    return {x + width / 2 - 1, y + int(editor.SendScintilla(Sci::SCI_TEXTHEIGHT, line)) / 2};
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Every stored setting of one editor, read through its property table.
QStringList storedValues(const SourceEditor &editor, const PropertyTable &table,
                         const QString &prefix = {})
{
    QStringList values;
    for (const PropertyInfo &info : table) {
        if (info.kind == PropKind::Record) {
            values += storedValues(editor, info.members, prefix + info.name + u'.');
            continue;
        }
        const PropValue value = info.get(&editor);
        QString text;
        if (info.kind == PropKind::Text)
            text = PropertyValues::toText(value);
        else if (info.kind == PropKind::Strings)
            text = PropertyValues::toStrings(value).join(u'|');
        else
            text = QString::number(PropertyValues::toInt(value));
        values.append(prefix + info.name + u'=' + text);
    }
    return values;
}

void copySettings(const SourceEditor &from, SourceEditor &to, const PropertyTable &table)
{
    for (const PropertyInfo &info : table) {
        if (info.kind == PropKind::Record)
            copySettings(from, to, info.members);
        else if (info.set)
            info.set(&to, info.get(&from));
    }
}

// Settings that differ from every default.
void changeSettings(SourceEditor &editor)
{
    editor.setColorValue(0x00FFFF);
    editor.setFontName(QStringLiteral("DejaVu Sans Mono"));
    editor.setFontHeight(-17);
    editor.setFontStyle(1 | 2);
    editor.setFontColor(0x800000);
    editor.setGutterColor(0xC0C0C0);
    editor.setGutterWidth(31);
    editor.setGutterAutoSize(false);
    editor.setLineNumbers(true);
    editor.setOptions(SourceEditor::AutoIndent | SourceEditor::HalfPageScrolling);
    editor.setRightEdge(80);
    editor.setRightEdgeColor(0x0000FF);
    editor.setTabWidth(3);
    editor.setWantTabs(false);
    editor.completion()->rows = 9;
    editor.completion()->width = 300;
    EditorKeyBindings bindings = EditorKeyBindings::defaults();
    bindings.bind(QKeyCombination(Qt::Key_F5), QStringLiteral("Undo"));
    bindings.bind(QKeyCombination(Qt::ControlModifier, Qt::Key_Y), QStringLiteral("Redo"));
    editor.setKeyBindings(bindings);
}

} // namespace

class tst_SourceEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void configuration();
    void fontIsFixedPitch();
    void colouring_data();
    void colouring();
    void colours();
    void commentSpanningLinesFollowsEdits();

    void completion_data();
    void completion();
    void completionFileInEitherEncoding();
    void textFileLines_data();
    void textFileLines();
    void codeDialogCompletionRowInOlive();

    void bookmarks();
    void bookmarkKeyOfShiftedDigits_data();
    void bookmarkKeyOfShiftedDigits();
    void keyBindings_data();
    void keyBindings();
    void smartTabs();
    void enterTrimsTheLineItEnds();
    void menuShortcutsComeFirst();
    void altDragSelectsColumn_data();
    void altDragSelectsColumn();
    void contextMenuAsksForPropertyEdit();

    void linesAndObjects();
    void objectsStayWithTheirLines_data();
    void objectsStayWithTheirLines();
    void lineColoursFollowObjects();
    void gutterShowsHand();

    void settingsThroughPropertyTable();
    void settingsThroughStageFile();
    void storedVocabulary();
    void linesStoredWhenNotCleared();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_SourceEditor::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv("KESTROVA_CONFIG_DIR", m_dir->path().toLocal8Bit());
}

void tst_SourceEditor::configuration()
{
    SourceEditor editor;
    QCOMPARE(editor.edgeMode(), QsciScintilla::EdgeLine);
    QCOMPARE(editor.edgeColumn(), 255);
    QCOMPARE(editor.tabWidth(), 8);
    QVERIFY(editor.autoIndent());
    QVERIFY(!editor.indentationsUseTabs());
    QVERIFY(editor.marginWidth(0) >= 15);
    QCOMPARE(editor.marginWidth(1), 0);
    QCOMPARE(editor.SendScintilla(Sci::SCI_GETVIRTUALSPACEOPTIONS),
             long(Sci::SCVS_RECTANGULARSELECTION | Sci::SCVS_USERACCESSIBLE));

    editor.useCodeDialogConfiguration();
    QCOMPARE(editor.tabWidth(), 5);
    QVERIFY(editor.hasOption(SourceEditor::HalfPageScrolling));
    QCOMPARE(editor.completion()->rows, 8);

    editor.setLineNumbers(true);
    const int narrow = editor.marginWidth(1);
    QVERIFY(narrow > 0);
    CodeLines many;
    for (int line = 0; line < 20000; ++line)
        many.add(QStringLiteral("x"));
    editor.setLines(many);
    QVERIFY2(editor.marginWidth(1) > narrow, "the gutter widens with the line numbers");
}

void tst_SourceEditor::fontIsFixedPitch()
{
    SourceEditor editor;
    const QFont font = editor.editorFont();
    QCOMPARE(QFontInfo(font).pixelSize(), 13);
    QVERIFY(QFontInfo(font).fixedPitch());
    qInfo("editor face: %s", qPrintable(QFontInfo(font).family()));
}

void tst_SourceEditor::colouring_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("styles");

    QTest::newRow("dot-command and words") << ".PRINT total .tab"
                                           << "cccccc.......cccc";
    QTest::newRow("strings") << ".PRINT 'a (* b' \"x\" 'open"
                             << "cccccc.qqqqqqqq.qqq.qqqqq";
    QTest::newRow("paren comment") << "a (* .X 'q' *) .Y"
                                   << "..pppppppppppp.cc";
    QTest::newRow("slash comment") << "/* c */.Z"
                                   << "ssssssscc";
    QTest::newRow("comment right after a word") << ".A(*x*)"
                                                << "ccppppp";
    QTest::newRow("hidden keyword") << "#--< x #--<y"
                                    << "kkkk........";
    QTest::newRow("comment over lines") << "(* a\n.B *)\n.C /* d\ne */ 'f'"
                                        << "pppppppppp.cc.sssssssss.qqq";
}

void tst_SourceEditor::colouring()
{
    QFETCH(QString, text);
    QFETCH(QString, styles);
    SourceEditor editor;
    editor.setText(text);
    QCOMPARE(styleLetters(editor), styles);
}

void tst_SourceEditor::colours()
{
    SourceEditor editor;
    auto *lexer = qobject_cast<ReportWriterLexer *>(editor.lexer());
    QVERIFY(lexer);
    QCOMPARE(lexer->color(ReportWriterLexer::DotCommand), QColor(128, 0, 0));
    QCOMPARE(lexer->color(ReportWriterLexer::String), QColor(0, 128, 128));
    QCOMPARE(lexer->color(ReportWriterLexer::Keyword), lexer->paper(ReportWriterLexer::Default));
    editor.setColorValue(0x00FFFF); // clYellow
    QCOMPARE(lexer->paper(ReportWriterLexer::Default), QColor(255, 255, 0));
    QCOMPARE(lexer->color(ReportWriterLexer::Keyword), QColor(255, 255, 0));
}

void tst_SourceEditor::commentSpanningLinesFollowsEdits()
{
    SourceEditor editor;
    editor.setText(QStringLiteral("a\n.B\nc *)\n.D"));
    QCOMPARE(styleLetters(editor), QStringLiteral("..cc......cc"));
    editor.insertAt(QStringLiteral("(*"), 0, 0);
    QCOMPARE(styleLetters(editor), QStringLiteral("ppppppppppp.cc"));
    editor.setSelection(0, 0, 0, 2);
    editor.removeSelectedText();
    QCOMPARE(styleLetters(editor), QStringLiteral("..cc......cc"));
}

void tst_SourceEditor::completion_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<int>("downs");
    QTest::addColumn<QString>("result");

    QTest::newRow("dot-command by its dot") << "x .pr" << QStringList{".PRINT"} << 0 << "x .PRINT";
    QTest::newRow("word after the dot")
        << ".rep" << QStringList{"report", "REPEAT"} << 1 << ".REPEAT";
    QTest::newRow("inside brackets")
        << "f(re" << QStringList{"report", "REPEAT"} << 0 << "f(report";
    QTest::newRow("nothing matches: every word")
        << "zz" << QStringList{"report", ".PRINT", "REPEAT"} << 2 << "REPEAT";
}

void tst_SourceEditor::completion()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, offered);
    QFETCH(int, downs);
    QFETCH(QString, result);

    const QString words = m_dir->filePath(QStringLiteral("words.txt"));
    writeFile(words, "report\r\n.PRINT\r\n\r\nREPEAT\r\n");
    SourceEditor editor;
    QVERIFY(editor.loadCompletionList(words));
    QCOMPARE(editor.completion()->words(), (QStringList{"report", ".PRINT", "REPEAT"}));

    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QTest::keyClicks(&editor, typed);
    QTest::keyClick(&editor, Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(editor.isListActive());
    QCOMPARE(editor.text(), typed);
    QStringList shown;
    for (int row = 0; row < offered.size(); ++row) {
        QByteArray current(256, '\0');
        editor.SendScintilla(Sci::SCI_AUTOCGETCURRENTTEXT, 0UL, current.data());
        shown.append(QString::fromUtf8(current.constData()));
        QTest::keyClick(&editor, Qt::Key_Down);
    }
    QCOMPARE(shown, offered);
    for (int row = 0; row < offered.size(); ++row)
        QTest::keyClick(&editor, Qt::Key_Up);
    for (int down = 0; down < downs; ++down)
        QTest::keyClick(&editor, Qt::Key_Down);
    QTest::keyClick(&editor, Qt::Key_Return);
    QVERIFY(!editor.isListActive());
    QCOMPARE(editor.text(), result);
}

void tst_SourceEditor::completionFileInEitherEncoding()
{
    const QString words = m_dir->filePath(QStringLiteral("words.txt"));
    writeFile(words, "\xb3\xf3\x64\x9f\n\xc5\x82\xc3\xb3\x64\xc5\xba\n");
    SourceEditor editor;
    QVERIFY(editor.loadCompletionList(words));
    const QString lodz = QString::fromUtf8("łódź");
    QCOMPARE(editor.completion()->words(), (QStringList{lodz, lodz}));
    QVERIFY(!editor.loadCompletionList(m_dir->filePath(QStringLiteral("missing.txt"))));
    QCOMPARE(editor.completion()->words(), (QStringList{lodz, lodz}));
}

void tst_SourceEditor::textFileLines_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QStringList>("lines");

    // Only the first mark is a byte order mark; the second, and one after a
    // Windows-1250 byte (0xE4), are text.
    QTest::newRow("byte order marks")
        << "text-marks.txt"
        << QStringList{QStringLiteral("\uFEFFx"), QStringLiteral("a\u00E4\uFEFFb")};
    // Lines end at LF or CR LF: a CR elsewhere, at the end of the file too,
    // belongs to its line.
    QTest::newRow("CR without LF")
        << "text-final-cr.txt" << QStringList{QStringLiteral("a\rb"), QStringLiteral("c\r")};
}

void tst_SourceEditor::textFileLines()
{
    QFETCH(QString, fixture);
    QFETCH(QStringList, lines);
    const std::optional<QStringList> read =
        TextFiles::readLines(QStringLiteral(KESTROVA_TEST_DATA "/") + fixture);
    QVERIFY(read);
    QCOMPARE(*read, lines);
}

void tst_SourceEditor::codeDialogCompletionRowInOlive()
{
    SourceEditor editor;
    editor.useCodeDialogConfiguration();
    editor.completion()->setWords({QStringLiteral("alpha"), QStringLiteral("beta")});
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QTest::keyClick(&editor, Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(editor.isListActive());
    const QList<QListWidget *> lists = editor.findChildren<QListWidget *>();
    QVERIFY(!lists.isEmpty());
    for (const QListWidget *list : lists)
        QCOMPARE(list->palette().color(QPalette::Highlight), QColor(128, 128, 0));
}

void tst_SourceEditor::bookmarks()
{
    SourceEditor editor;
    editor.setText(QStringLiteral("zero\none\ntwo\nthree\nfour"));
    editor.setCursorPosition(3, 2);
    QTest::keyClick(&editor, Qt::Key_3, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(editor.bookmarkLine(3), 3);
    QCOMPARE(editor.markersAtLine(3), 1u << 3);

    editor.setCursorPosition(0, 0);
    QTest::keyClick(&editor, Qt::Key_3, Qt::ControlModifier);
    int line = -1;
    int index = -1;
    editor.getCursorPosition(&line, &index);
    QCOMPARE(line, 3);
    QCOMPARE(index, 2);

    // Lines inserted above carry the bookmark along.
    editor.insertAt(QStringLiteral("new\n"), 1, 0);
    QCOMPARE(editor.bookmarkLine(3), 4);
    editor.setCursorPosition(0, 0);
    QTest::keyClick(&editor, Qt::Key_3, Qt::ControlModifier);
    editor.getCursorPosition(&line, &index);
    QCOMPARE(line, 4);

    // Setting it elsewhere moves it; setting it on its own line removes it.
    editor.setCursorPosition(1, 0);
    QTest::keyClick(&editor, Qt::Key_3, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(editor.bookmarkLine(3), 1);
    QCOMPARE(editor.markersAtLine(4), 0u);
    QTest::keyClick(&editor, Qt::Key_3, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(editor.bookmarkLine(3), -1);
    QCOMPARE(editor.markersAtLine(1), 0u);
    editor.setCursorPosition(2, 1);
    QTest::keyClick(&editor, Qt::Key_3, Qt::ControlModifier);
    editor.getCursorPosition(&line, &index);
    QCOMPARE(line, 2);
}

void tst_SourceEditor::bookmarkKeyOfShiftedDigits_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("digit");
    QTest::newRow("digit key") << int(Qt::Key_7) << 7;
    QTest::newRow("shifted 0") << int(Qt::Key_ParenRight) << 0;
    QTest::newRow("shifted 1") << int(Qt::Key_Exclam) << 1;
    QTest::newRow("shifted 9") << int(Qt::Key_ParenLeft) << 9;
}

void tst_SourceEditor::bookmarkKeyOfShiftedDigits()
{
    QFETCH(int, key);
    QFETCH(int, digit);
    SourceEditor editor;
    editor.setText(QStringLiteral("a\nb"));
    editor.setCursorPosition(1, 0);
    QTest::keyClick(&editor, Qt::Key(key), Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(editor.bookmarkLine(digit), 1);
}

void tst_SourceEditor::keyBindings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("result");

    const int ctrl = Qt::ControlModifier;
    const int shiftCtrl = Qt::ShiftModifier | Qt::ControlModifier;
    const QString text = QStringLiteral("one\ntwo words\nthree");
    QTest::newRow("Ctrl+Y deletes the line")
        << text << 1 << 3 << int(Qt::Key_Y) << ctrl << "one\nthree";
    QTest::newRow("Shift+Ctrl+Y deletes to the line end")
        << text << 1 << 3 << int(Qt::Key_Y) << shiftCtrl << "one\ntwo\nthree";
    QTest::newRow("Shift+Ctrl+I indents")
        << text << 1 << 0 << int(Qt::Key_I) << shiftCtrl << "one\n        two words\nthree";
    QTest::newRow("Shift+Ctrl+U unindents")
        << "a\n            b" << 1 << 0 << int(Qt::Key_U) << shiftCtrl << "a\n    b";
    QTest::newRow("Shift+Ctrl+L is no line delete")
        << text << 1 << 0 << int(Qt::Key_L) << shiftCtrl << text;
}

void tst_SourceEditor::keyBindings()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(int, index);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, result);
    SourceEditor editor;
    editor.setText(text);
    editor.setCursorPosition(line, index);
    QTest::keyClick(&editor, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(editor.text(), result);

    // Ctrl+Z takes the change back and Shift+Ctrl+Z makes it again.
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor.text(), text);
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(editor.text(), result);
}

void tst_SourceEditor::smartTabs()
{
    SourceEditor editor;
    editor.setText(QStringLiteral("ab  cd    ef\n\n"));
    editor.setCursorPosition(2, 0);
    const auto column = [&editor] {
        int line = 0;
        int index = 0;
        editor.getCursorPosition(&line, &index);
        return index;
    };
    // The empty line between is passed over: the words above decide.
    QTest::keyClick(&editor, Qt::Key_Tab);
    QCOMPARE(column(), 4);
    QTest::keyClick(&editor, Qt::Key_Tab);
    QCOMPARE(column(), 10);
    QTest::keyClick(&editor, Qt::Key_Tab); // no word further right: the next tab stop
    QCOMPARE(column(), 16);
    QCOMPARE(editor.lineText(2), QString(16, u' '));

    editor.setOptions(editor.options() & ~SourceEditor::SmartTabs);
    editor.setText(QStringLiteral("ab  cd\n"));
    editor.setCursorPosition(1, 0);
    QTest::keyClick(&editor, Qt::Key_Tab);
    QCOMPARE(column(), 8);
}

// With the option, the blanks the user leaves at the end of a line go when
// Enter ends it, in the same undo step; lines not ended by the user keep
// theirs.
void tst_SourceEditor::enterTrimsTheLineItEnds()
{
    SourceEditor editor;
    editor.setOptions(editor.options() & ~SourceEditor::AutoIndent);
    editor.setText(QStringLiteral(".DETAIL \nkept  "));
    editor.setCursorPosition(1, 6);
    QTest::keyClicks(&editor, ".PRINT x  ");
    QTest::keyClick(&editor, Qt::Key_Return);
    QTest::keyClicks(&editor, "y ");
    QCOMPARE(editor.lines().texts(), (QStringList{".DETAIL ", "kept  .PRINT x", "y "}));
    editor.undo(); // the typed "y "
    editor.undo(); // Enter with its trimming
    QCOMPARE(editor.lines().texts(), (QStringList{".DETAIL ", "kept  .PRINT x  "}));

    editor.setOptions(editor.options() & ~SourceEditor::TrimTrailingBlanks);
    QTest::keyClick(&editor, Qt::Key_Return);
    QCOMPARE(editor.lines().texts(), (QStringList{".DETAIL ", "kept  .PRINT x  ", ""}));
}

void tst_SourceEditor::menuShortcutsComeFirst()
{
    QWidget window;
    auto *editor = new SourceEditor(nullptr, &window);
    editor->setText(QStringLiteral("one\ntwo"));
    QAction action(&window);
    action.setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_Y));
    window.addAction(&action);
    QSignalSpy triggered(&action, &QAction::triggered);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    editor->setFocus();

    QTest::keyClick(editor, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(triggered.size(), 1);
    QCOMPARE(editor->text(), QStringLiteral("one\ntwo"));
    // Keys no shortcut takes still reach the editor.
    QTest::keyClick(editor, Qt::Key_3, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(editor->bookmarkLine(3), 0);
}

void tst_SourceEditor::altDragSelectsColumn_data()
{
    QTest::addColumn<bool>("altOption");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("rectangular");
    QTest::newRow("Alt drag") << true << int(Qt::AltModifier) << true;
    QTest::newRow("plain drag") << true << int(Qt::NoModifier) << false;
    QTest::newRow("Alt drag without the option") << false << int(Qt::AltModifier) << false;
}

void tst_SourceEditor::altDragSelectsColumn()
{
    QFETCH(bool, altOption);
    QFETCH(int, modifiers);
    QFETCH(bool, rectangular);
    SourceEditor editor;
    if (!altOption)
        editor.setOptions(editor.options() & ~SourceEditor::AltColumnSelection);
    editor.setText(QStringLiteral("abcdef\nabcdef\nabcdef\nabcdef"));
    editor.resize(400, 300);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));

    QWidget *viewport = editor.viewport();
    const auto keys = Qt::KeyboardModifiers(modifiers);
    const QPoint from = pointOf(editor, 0, 1);
    const QPoint to = pointOf(editor, 2, 4);
    QTest::mousePress(viewport, Qt::LeftButton, keys, from);
    for (int step = 1; step <= 4; ++step) {
        const QPoint at = from + (to - from) * step / 4;
        QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, keys);
        QApplication::sendEvent(viewport, &move);
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, keys, to);

    QCOMPARE(editor.SendScintilla(Sci::SCI_SELECTIONISRECTANGLE) != 0, rectangular);
    if (rectangular) {
        QCOMPARE(editor.SendScintilla(Sci::SCI_GETSELECTIONS), 3L);
        editor.removeSelectedText();
        QCOMPARE(editor.text(), QStringLiteral("aef\naef\naef\nabcdef"));
    } else {
        QCOMPARE(editor.selectedText(), QStringLiteral("bcdef\nabcdef\nabcd"));
    }
}

void tst_SourceEditor::contextMenuAsksForPropertyEdit()
{
    SourceEditor editor;
    QSignalSpy requested(&editor, &SourceEditor::editPropertyRequested);
    const QList<QAction *> actions = editor.contextMenu()->actions();
    QCOMPARE(actions.size(), 1);
    QCOMPARE(actions.first()->text(), QStringLiteral("Edit Property"));
    QCOMPARE(actions.first()->objectName(), QStringLiteral("EditProperty1"));
    actions.first()->trigger();
    QCOMPARE(requested.size(), 1);
}

void tst_SourceEditor::linesAndObjects()
{
    SourceEditor editor;
    QCOMPARE(editor.lineCount(), 0);
    QObject a;
    a.setObjectName(QStringLiteral("A"));
    auto tag = std::make_shared<LineTag>(&a, attributeBit(spCaption));
    CodeLines lines;
    lines.add(QStringLiteral("\t.PRINT 'x'   "), LineObject{nullptr, tag});
    lines.add(QString());
    lines.add(QStringLiteral("last"), &a);
    editor.setLines(lines);
    QCOMPARE(editor.lineCount(), 3);
    const CodeLines back = editor.lines();
    // Text put in keeps its trailing blanks, trimmed or not: it is written so.
    QVERIFY(editor.hasOption(SourceEditor::TrimTrailingBlanks));
    QCOMPARE(back.texts(), (QStringList{"\t.PRINT 'x'   ", "", "last"}));
    QCOMPARE(back[0].object.tag, tag);
    QVERIFY(back[1].object.isEmpty());
    QCOMPARE(back[2].object.component.data(), &a);

    editor.addLine(QStringLiteral("added"), LineObject{&a, {}});
    QCOMPARE(editor.lineCount(), 4);
    QCOMPARE(editor.lineObject(3).component.data(), &a);
    QCOMPARE(editor.lineObject(2).component.data(), &a);

    editor.clearLines();
    QCOMPARE(editor.lineCount(), 0);
    QVERIFY(editor.lineObject(0).isEmpty());
    editor.addLine(QStringLiteral("only"));
    QCOMPARE(editor.lines().texts(), QStringList{"only"});
    editor.setLines({});
    QCOMPARE(editor.lineCount(), 0);
    QVERIFY(editor.lineObject(0).isEmpty());
}

void tst_SourceEditor::objectsStayWithTheirLines_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("objects");
    QTest::addColumn<QString>("text");

    // The editor starts with the lines A, B, C, D, each carrying the
    // component of its name.
    QTest::newRow("line inserted above") << "insert line 1"
                                         << "A,-,B,C,D"
                                         << "A\nnew\nB\nC\nD";
    QTest::newRow("two lines pasted at a line start") << "paste 2 lines at 2,0"
                                                      << "A,B,-,-,C,D"
                                                      << "A\nB\nx\ny\nC\nD";
    QTest::newRow("line deleted above") << "delete line 1"
                                        << "A,C,D"
                                        << "A\nC\nD";
    QTest::newRow("Enter at a line start") << "enter at 2,0"
                                           << "A,B,-,C,D"
                                           << "A\nB\n\nC\nD";
    QTest::newRow("Enter inside a line") << "enter at 2,1"
                                         << "A,B,C,-,D"
                                         << "A\nB\nC\n\nD";
    QTest::newRow("Backspace joins with the line above") << "backspace at 2,0"
                                                         << "A,B,D"
                                                         << "A\nBC\nD";
    QTest::newRow("Delete at a line end") << "delete at 1,1"
                                          << "A,B,D"
                                          << "A\nBC\nD";
    QTest::newRow("two whole lines deleted") << "delete lines 1-2"
                                             << "A,D"
                                             << "A\nD";
    // A selection that ends inside a line joins what is left of its first
    // line with the rest of its last: the joined line is the first line.
    QTest::newRow("selection from a line start into the next line") << "select 1,0-2,1, Delete"
                                                                    << "A,B,D"
                                                                    << "A\n\nD";
    QTest::newRow("selection from inside a line into the next line") << "select 1,1-2,1, Delete"
                                                                     << "A,B,D"
                                                                     << "A\nB\nD";
    QTest::newRow("selection from a line start over two line ends") << "select 1,0-3,0, Delete"
                                                                    << "A,D"
                                                                    << "A\nD";
    QTest::newRow("selection from inside the first line over two line ends")
        << "select 0,1-2,0, Delete"
        << "A,D"
        << "AC\nD";
    QTest::newRow("selection from a line start to the end of the text") << "select 1,0-3,1, Delete"
                                                                        << "A,B"
                                                                        << "A\n";
    QTest::newRow("selection typed over") << "select 1,0-2,1, type z"
                                          << "A,B,D"
                                          << "A\nz\nD";
    QTest::newRow("undo of an insertion") << "insert line 1, undo"
                                          << "A,B,C,D"
                                          << "A\nB\nC\nD";
}

void tst_SourceEditor::objectsStayWithTheirLines()
{
    QFETCH(QString, operation);
    QFETCH(QString, objects);
    QFETCH(QString, text);

    QList<std::shared_ptr<QObject>> components;
    CodeLines lines;
    for (const QString &name : {"A", "B", "C", "D"}) {
        components.append(std::make_shared<QObject>());
        components.last()->setObjectName(name);
        lines.add(name, components.last().get());
    }
    SourceEditor editor;
    editor.setLines(lines);
    editor.show();

    if (operation.startsWith(u"insert line 1")) {
        editor.insertAt(QStringLiteral("new\n"), 1, 0);
        if (operation.endsWith(u"undo"))
            QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    } else if (operation == u"paste 2 lines at 2,0") {
        editor.setCursorPosition(2, 0);
        editor.replaceSelectedText(QStringLiteral("x\ny\n"));
    } else if (operation == u"delete line 1") {
        editor.setCursorPosition(1, 0);
        QTest::keyClick(&editor, Qt::Key_Y, Qt::ControlModifier);
    } else if (operation.startsWith(u"enter at")) {
        editor.setCursorPosition(2, operation.back().digitValue());
        QTest::keyClick(&editor, Qt::Key_Return);
    } else if (operation == u"backspace at 2,0") {
        editor.setCursorPosition(2, 0);
        QTest::keyClick(&editor, Qt::Key_Backspace);
    } else if (operation == u"delete at 1,1") {
        editor.setCursorPosition(1, 1);
        QTest::keyClick(&editor, Qt::Key_Delete);
    } else if (operation.startsWith(u"select ")) {
        // "select l1,c1-l2,c2, Delete" or ", type z"
        const QStringList parts = operation.mid(7).split(QStringLiteral(", "));
        const QStringList ends = parts.first().split(u'-');
        const QStringList from = ends.first().split(u',');
        const QStringList to = ends.last().split(u',');
        editor.setSelection(from[0].toInt(), from[1].toInt(), to[0].toInt(), to[1].toInt());
        if (parts.last() == u"Delete")
            QTest::keyClick(&editor, Qt::Key_Delete);
        else
            QTest::keyClick(&editor, Qt::Key_Z);
    } else if (operation == u"delete lines 1-2") {
        editor.setSelection(1, 0, 3, 0);
        editor.removeSelectedText();
    } else {
        QFAIL("unknown operation");
    }
    QCOMPARE(editor.text(), text);
    QCOMPARE(objectNames(editor), objects);
}

void tst_SourceEditor::lineColoursFollowObjects()
{
    QObject item;
    CodeLines lines;
    lines.add(QStringLiteral("\t.TAB 10"), &item, spTab);
    lines.add(QStringLiteral("\t.PRINT 'Total'"), &item, spCaption);
    lines.add(QStringLiteral("\t.NEWLINE"), &item, spNewLine);
    SourceEditor editor;
    editor.setLines(lines);
    const QColor grey(200, 200, 200);
    editor.setLineColours([grey](int, const LineObject &object) {
        return object.tag && object.tag->attributes == attributeBit(spCaption) ? grey : QColor();
    });
    const auto colouredLines = [&editor] {
        QList<int> result;
        for (int line = 0; line < editor.lineCount(); ++line) {
            if (editor.markersAtLine(line) & (1u << SourceEditor::FirstColourMarker))
                result.append(line);
        }
        return result;
    };
    QCOMPARE(colouredLines(), QList<int>{1});
    QCOMPARE(editor.SendScintilla(Sci::SCI_MARKERSYMBOLDEFINED, SourceEditor::FirstColourMarker),
             long(Sci::SC_MARK_BACKGROUND));

    editor.insertAt(QStringLiteral("typed\n"), 0, 0);
    QCOMPARE(colouredLines(), QList<int>{2});
    editor.insertAt(QStringLiteral(" edited"), 2, 16);
    QCOMPARE(colouredLines(), QList<int>{2});
    editor.setCursorPosition(2, 0);
    QTest::keyClick(&editor, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(colouredLines(), QList<int>());
    editor.addLine(QStringLiteral(".PRINT 'again'"), lines[1].object);
    QCOMPARE(colouredLines(), QList<int>{3});
}

void tst_SourceEditor::gutterShowsHand()
{
    SourceEditor editor;
    editor.setText(QStringLiteral("text\ntext"));
    editor.resize(300, 200);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QWidget *viewport = editor.viewport();
    QTest::mouseMove(viewport, QPoint(5, 5));
    QCOMPARE(viewport->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(viewport, QPoint(100, 5));
    QCOMPARE(viewport->cursor().shape(), Qt::IBeamCursor);
    QTest::mouseMove(viewport, QPoint(5, 6));
    QCOMPARE(viewport->cursor().shape(), Qt::PointingHandCursor);
}

void tst_SourceEditor::settingsThroughPropertyTable()
{
    SourceEditor changed;
    changeSettings(changed);
    SourceEditor copy;
    const QStringList defaults = storedValues(copy, sourceEditorPropertyTable());
    copySettings(changed, copy, sourceEditorPropertyTable());
    const QStringList values = storedValues(copy, sourceEditorPropertyTable());
    QCOMPARE(values, storedValues(changed, sourceEditorPropertyTable()));
    // Every published setting was changed, so each one was carried over.
    for (qsizetype index = 0; index < values.size(); ++index) {
        if (!values[index].startsWith(u"Name=") && !values[index].startsWith(u"Lines="))
            QVERIFY2(values[index] != defaults[index], qPrintable(values[index]));
    }
    QCOMPARE(copy.tabWidth(), 3);
    QCOMPARE(QFontInfo(copy.editorFont()).pixelSize(), 17);
    QVERIFY(copy.editorFont().bold());
    QCOMPARE(copy.edgeColumn(), 80);
    QCOMPARE(copy.marginWidth(0), 31);
    QVERIFY(copy.marginWidth(1) > 0);
    QCOMPARE(copy.keyBindings().commandFor(QKeyCombination(Qt::Key_F5)), QStringLiteral("Undo"));
}

void tst_SourceEditor::settingsThroughStageFile()
{
    const QString path = m_dir->filePath(QStringLiteral("SRC.dat"));
    ComponentOwner owner;
    QWidget stage;
    auto *editor = new SourceEditor(&owner, &stage);
    editor->setObjectName(QStringLiteral("SourceEditor"));
    changeSettings(*editor);
    editor->setText(QStringLiteral(".PRINT 'the text is never stored'"));
    editor->clearLines();
    ObjectStream::saveStageFile(&stage, path, owner, sourceEditorClasses());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    QVERIFY(data.startsWith("TPF0\x0dTSourceEditor\x0cSourceEditor"));
    QVERIFY(data.endsWith(QByteArray("\0\0\0", 3)));
    QVERIFY(!data.contains("never stored"));

    ComponentOwner otherOwner;
    QWidget otherStage;
    auto *stale = new SourceEditor(&otherOwner, &otherStage);
    stale->setObjectName(QStringLiteral("SourceEditor"));
    const QList<QWidget *> read =
        ObjectStream::loadStageFile(&otherStage, path, otherOwner, sourceEditorClasses());
    QCOMPARE(read.size(), 1);
    auto *loaded = qobject_cast<SourceEditor *>(read.first());
    QVERIFY(loaded);
    QCOMPARE(loaded->objectName(), QStringLiteral("SourceEditor"));
    QCOMPARE(otherStage.findChildren<SourceEditor *>().size(), 1);
    QCOMPARE(storedValues(*loaded, sourceEditorPropertyTable()),
             storedValues(*editor, sourceEditorPropertyTable()));
    QVERIFY(!loaded->isLoading());
    QCOMPARE(loaded->edgeColumn(), 80);
    QCOMPARE(QFontInfo(loaded->editorFont()).pixelSize(), 17);
}

void tst_SourceEditor::storedVocabulary()
{
    ComponentOwner owner;
    QWidget stage;
    auto *editor = new SourceEditor(&owner, &stage);
    editor->setObjectName(QStringLiteral("TextEdit"));
    const QString path = m_dir->filePath(QStringLiteral("BF.dat"));
    ObjectStream::saveStageFile(&stage, path, owner, sourceEditorClasses());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList dump = StreamDump::dumpStageFile(file.readAll()).split(u'\n');
    const QStringList expected = {
        "object TextEdit: TSourceEditor",
        "  Color = clWindow",
        "  Font.Color = clWindowText",
        "  Font.Height = -13",
        "  Font.Name = \"Courier New\"",
        "  Font.Style = []",
        "  Gutter.AutoSize = True",
        "  Gutter.Color = clBtnFace",
        "  Gutter.LineNumbers = False",
        "  Gutter.Width = 15",
        "  Options = [AltColumnSelection, AutoIndent, CaretPastEndOfLine, SmartTabs, "
        "TabsToSpaces, TrimTrailingBlanks]",
        "  RightEdge = 255",
        "  RightEdgeColor = clSilver",
        "  TabWidth = 8",
        "  WantTabs = True",
        "  Completion.Rows = 6",
        "  Completion.Width = 262",
    };
    QCOMPARE(dump.mid(0, expected.size()), expected);
    const QStringList bindings = dump.mid(expected.size());
    QCOMPARE(bindings.mid(0, 4),
             (QStringList{"  KeyBindings.Strings = (", "    \"Ctrl+Z=Undo\"",
                          "    \"Ctrl+Shift+Z=Redo\"", "    \"Ctrl+Y=DeleteLine\""}));
    QVERIFY(bindings.contains(u"    \"Ctrl+Shift+0=SetBookmark0\""));
    QVERIFY(bindings.contains(u"    \"Ctrl+Shift+U=UnindentBlock\""));
    // Ten bookmarks to set and go to, ten other commands; no text.
    QCOMPARE(bindings.mid(4 + 27), (QStringList{"  )", "end", ""}));
}

void tst_SourceEditor::linesStoredWhenNotCleared()
{
    ComponentOwner owner;
    QWidget stage;
    auto *editor = new SourceEditor(&owner, &stage);
    editor->setObjectName(QStringLiteral("TextEdit"));
    editor->setText(QStringLiteral("first\nsecond"));
    const QString path = m_dir->filePath(QStringLiteral("BF.dat"));
    ObjectStream::saveStageFile(&stage, path, owner, sourceEditorClasses());
    const QList<QWidget *> read =
        ObjectStream::loadStageFile(&stage, path, owner, sourceEditorClasses());
    QCOMPARE(read.size(), 1);
    auto *loaded = qobject_cast<SourceEditor *>(read.first());
    QVERIFY(loaded);
    QCOMPARE(loaded->lines().texts(), (QStringList{"first", "second"}));
}

QTEST_MAIN(tst_SourceEditor)
#include "tst_sourceeditor.moc"

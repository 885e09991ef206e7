#include "dialogs/EditorSettings.h"

#include "dialogs/EditorCompletion.h"
#include "dialogs/SourceEditor.h"
#include "model/PropertyBuilders.h"

namespace {

using namespace PropValues;
using Props::make;

template<class Value>
PropertyInfo setting(const QString &name, PropKind kind, Value (TSourceEditor::*get)() const,
                     void (TSourceEditor::*set)(Value))
{
    return make<TSourceEditor>(
        name, kind,
        [get](const TSourceEditor &editor) {
            if constexpr (std::is_same_v<Value, bool>)
                return PropValue((editor.*get)());
            else
                return PropValue(qint64((editor.*get)()));
        },
        [set](TSourceEditor &editor, const PropValue &value) {
            if constexpr (std::is_same_v<Value, bool>)
                (editor.*set)(toBool(value));
            else
                (editor.*set)(Value(toInt(value)));
        });
}

PropertyInfo withNames(PropertyInfo info, const QStringList &names)
{
    info.names = names;
    return info;
}

PropertyInfo nameEntry()
{
    return Props::never(make<TSourceEditor>(
        QStringLiteral("Name"), PropKind::Text,
        [](const TSourceEditor &editor) { return PropValue(editor.objectName()); },
        [](TSourceEditor &editor, const PropValue &value) {
            editor.setObjectName(toText(value));
        }));
}

PropertyInfo fontRecord()
{
    PropertyInfo name = make<TSourceEditor>(
        QStringLiteral("Name"), PropKind::Text,
        [](const TSourceEditor &editor) { return PropValue(editor.fontName()); },
        [](TSourceEditor &editor, const PropValue &value) { editor.setFontName(toText(value)); });
    return Props::record(
        QStringLiteral("Font"), QStringLiteral("TFont"),
        {
            setting<qint64>(QStringLiteral("Color"), PropKind::Colour, &TSourceEditor::fontColor,
                            &TSourceEditor::setFontColor),
            setting<int>(QStringLiteral("Height"), PropKind::Integer, &TSourceEditor::fontHeight,
                         &TSourceEditor::setFontHeight),
            name,
            withNames(setting<int>(QStringLiteral("Style"), PropKind::Set,
                                   &TSourceEditor::fontStyle, &TSourceEditor::setFontStyle),
                      NamedValues::fontStyleNames()),
        });
}

PropertyInfo gutterRecord()
{
    return Props::record(
        QStringLiteral("Gutter"), QStringLiteral("TEditorGutter"),
        {
            setting<bool>(QStringLiteral("AutoSize"), PropKind::Boolean,
                          &TSourceEditor::gutterAutoSize, &TSourceEditor::setGutterAutoSize),
            setting<qint64>(QStringLiteral("Color"), PropKind::Colour,
                            &TSourceEditor::gutterColor, &TSourceEditor::setGutterColor),
            setting<bool>(QStringLiteral("LineNumbers"), PropKind::Boolean,
                          &TSourceEditor::lineNumbers, &TSourceEditor::setLineNumbers),
            setting<int>(QStringLiteral("Width"), PropKind::Integer, &TSourceEditor::gutterWidth,
                         &TSourceEditor::setGutterWidth),
        });
}

PropertyInfo completionSetting(const QString &name, int EditorCompletion::*member)
{
    return make<TSourceEditor>(
        name, PropKind::Integer,
        [member](const TSourceEditor &editor) {
            return PropValue(qint64(editor.completion()->*member));
        },
        [member](TSourceEditor &editor, const PropValue &value) {
            editor.completion()->*member = std::max(1, int(toInt(value)));
        });
}

PropertyInfo completionRecord()
{
    return Props::record(QStringLiteral("Completion"), QStringLiteral("TEditorCompletion"),
                         {
                             completionSetting(QStringLiteral("Rows"), &EditorCompletion::rows),
                             completionSetting(QStringLiteral("Width"), &EditorCompletion::width),
                         });
}

PropertyTable buildTable()
{
    PropertyInfo keyBindings = make<TSourceEditor>(
        QStringLiteral("KeyBindings"), PropKind::Strings,
        [](const TSourceEditor &editor) { return PropValue(editor.keyBindings().toStrings()); },
        [](TSourceEditor &editor, const PropValue &value) {
            editor.setKeyBindings(EditorKeyBindings::fromStrings(toStrings(value)));
        });
    PropertyInfo lines = make<TSourceEditor>(
        QStringLiteral("Lines"), PropKind::Strings,
        [](const TSourceEditor &editor) { return PropValue(editor.lines().texts()); },
        [](TSourceEditor &editor, const PropValue &value) {
            CodeLines lines;
            lines.setTexts(toStrings(value));
            editor.setLines(lines);
        });
    lines.stored = [](const QObject *object) {
        return static_cast<const TSourceEditor *>(object)->lineCount() > 0;
    };
    return {
        nameEntry(),
        setting<qint64>(QStringLiteral("Color"), PropKind::Colour, &TSourceEditor::colorValue,
                        &TSourceEditor::setColorValue),
        fontRecord(),
        gutterRecord(),
        withNames(setting<int>(QStringLiteral("Options"), PropKind::Set, &TSourceEditor::options,
                               &TSourceEditor::setOptions),
                  TSourceEditor::optionNames()),
        setting<int>(QStringLiteral("RightEdge"), PropKind::Integer, &TSourceEditor::rightEdge,
                     &TSourceEditor::setRightEdge),
        setting<qint64>(QStringLiteral("RightEdgeColor"), PropKind::Colour,
                        &TSourceEditor::rightEdgeColor, &TSourceEditor::setRightEdgeColor),
        make<TSourceEditor>(
            QStringLiteral("TabWidth"), PropKind::Integer,
            [](const TSourceEditor &editor) { return PropValue(qint64(editor.tabWidth())); },
            [](TSourceEditor &editor, const PropValue &value) {
                editor.setTabWidth(std::clamp(int(toInt(value)), 1, 64));
            }),
        setting<bool>(QStringLiteral("WantTabs"), PropKind::Boolean, &TSourceEditor::wantTabs,
                      &TSourceEditor::setWantTabs),
        completionRecord(),
        keyBindings,
        lines,
    };
}

} // namespace

const PropertyTable &sourceEditorPropertyTable()
{
    static const PropertyTable table = buildTable();
    return table;
}

ClassInfo sourceEditorClassInfo()
{
    ClassInfo info;
    info.name = QString::fromLatin1(TSourceEditor::staticMetaObject.className());
    info.metaObject = &TSourceEditor::staticMetaObject;
    info.properties = &sourceEditorPropertyTable();
    info.create = [](ComponentOwner *owner, QWidget *parent) -> QWidget * {
        return new TSourceEditor(owner, parent);
    };
    info.beginLoading = [](QObject *object) {
        static_cast<TSourceEditor *>(object)->beginLoading();
    };
    info.loaded = [](QObject *object) { static_cast<TSourceEditor *>(object)->loaded(); };
    return info;
}

const ClassRegistry &sourceEditorClasses()
{
    static const ClassRegistry registry = [] {
        ClassRegistry classes;
        classes.add(sourceEditorClassInfo());
        return classes;
    }();
    return registry;
}

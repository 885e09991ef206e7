#include "editor/EditorSettings.h"

#include "editor/EditorCompletion.h"
#include "editor/SourceEditor.h"
#include "model/PropertyBuilders.h"

namespace {

using namespace PropertyValues;
using Props::make;

template<class Value>
PropertyInfo setting(const QString &name, PropKind kind, Value (SourceEditor::*get)() const,
                     void (SourceEditor::*set)(Value))
{
    return make<SourceEditor>(
        name, kind,
        [get](const SourceEditor &editor) {
            if constexpr (std::is_same_v<Value, bool>)
                return PropValue((editor.*get)());
            else
                return PropValue(qint64((editor.*get)()));
        },
        [set](SourceEditor &editor, const PropValue &value) {
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
    return Props::never(make<SourceEditor>(
        QStringLiteral("Name"), PropKind::Text,
        [](const SourceEditor &editor) { return PropValue(editor.objectName()); },
        [](SourceEditor &editor, const PropValue &value) { editor.setObjectName(toText(value)); }));
}

PropertyInfo fontRecord()
{
    PropertyInfo name = make<SourceEditor>(
        QStringLiteral("Name"), PropKind::Text,
        [](const SourceEditor &editor) { return PropValue(editor.fontName()); },
        [](SourceEditor &editor, const PropValue &value) { editor.setFontName(toText(value)); });
    return Props::record(
        QStringLiteral("Font"), QStringLiteral("TFont"),
        {
            setting<qint64>(QStringLiteral("Color"), PropKind::Colour, &SourceEditor::fontColor,
                            &SourceEditor::setFontColor),
            setting<int>(QStringLiteral("Height"), PropKind::Integer, &SourceEditor::fontHeight,
                         &SourceEditor::setFontHeight),
            name,
            withNames(setting<int>(QStringLiteral("Style"), PropKind::Set, &SourceEditor::fontStyle,
                                   &SourceEditor::setFontStyle),
                      NamedValues::fontStyleNames()),
        });
}

PropertyInfo gutterRecord()
{
    return Props::record(
        QStringLiteral("Gutter"), QStringLiteral("TEditorGutter"),
        {
            setting<bool>(QStringLiteral("AutoSize"), PropKind::Boolean,
                          &SourceEditor::gutterAutoSize, &SourceEditor::setGutterAutoSize),
            setting<qint64>(QStringLiteral("Color"), PropKind::Colour, &SourceEditor::gutterColor,
                            &SourceEditor::setGutterColor),
            setting<bool>(QStringLiteral("LineNumbers"), PropKind::Boolean,
                          &SourceEditor::lineNumbers, &SourceEditor::setLineNumbers),
            setting<int>(QStringLiteral("Width"), PropKind::Integer, &SourceEditor::gutterWidth,
                         &SourceEditor::setGutterWidth),
        });
}

PropertyInfo completionSetting(const QString &name, int EditorCompletion::*member)
{
    return make<SourceEditor>(
        name, PropKind::Integer,
        [member](const SourceEditor &editor) {
            return PropValue(qint64(editor.completion()->*member));
        },
        [member](SourceEditor &editor, const PropValue &value) {
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
    PropertyInfo keyBindings = make<SourceEditor>(
        QStringLiteral("KeyBindings"), PropKind::Strings,
        [](const SourceEditor &editor) { return PropValue(editor.keyBindings().toStrings()); },
        [](SourceEditor &editor, const PropValue &value) {
            editor.setKeyBindings(EditorKeyBindings::fromStrings(toStrings(value)));
        });
    PropertyInfo lines = make<SourceEditor>(
        QStringLiteral("Lines"), PropKind::Strings,
        [](const SourceEditor &editor) { return PropValue(editor.lines().texts()); },
        [](SourceEditor &editor, const PropValue &value) {
            CodeLines lines;
            lines.setTexts(toStrings(value));
            editor.setLines(lines);
        });
    lines.stored = [](const QObject *object) {
        return static_cast<const SourceEditor *>(object)->lineCount() > 0;
    };
    return {
        nameEntry(),
        setting<qint64>(QStringLiteral("Color"), PropKind::Colour, &SourceEditor::colorValue,
                        &SourceEditor::setColorValue),
        fontRecord(),
        gutterRecord(),
        withNames(setting<int>(QStringLiteral("Options"), PropKind::Set, &SourceEditor::options,
                               &SourceEditor::setOptions),
                  SourceEditor::optionNames()),
        setting<int>(QStringLiteral("RightEdge"), PropKind::Integer, &SourceEditor::rightEdge,
                     &SourceEditor::setRightEdge),
        setting<qint64>(QStringLiteral("RightEdgeColor"), PropKind::Colour,
                        &SourceEditor::rightEdgeColor, &SourceEditor::setRightEdgeColor),
        make<SourceEditor>(
            QStringLiteral("TabWidth"), PropKind::Integer,
            [](const SourceEditor &editor) { return PropValue(qint64(editor.tabWidth())); },
            [](SourceEditor &editor, const PropValue &value) {
                editor.setTabWidth(std::clamp(int(toInt(value)), 1, 64));
            }),
        setting<bool>(QStringLiteral("WantTabs"), PropKind::Boolean, &SourceEditor::wantTabs,
                      &SourceEditor::setWantTabs),
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
    info.name = QStringLiteral("TSourceEditor"); // the name settings files store
    info.metaObject = &SourceEditor::staticMetaObject;
    info.properties = &sourceEditorPropertyTable();
    info.create = [](ComponentOwner *owner, QWidget *parent) -> QWidget * {
        return new SourceEditor(owner, parent);
    };
    info.beginLoading = [](QObject *object) {
        static_cast<SourceEditor *>(object)->beginLoading();
    };
    info.loaded = [](QObject *object) {
        static_cast<SourceEditor *>(object)->loaded();
    };
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

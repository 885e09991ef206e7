#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

// Pixels per character column and per printed line with which generation
// turns design positions into Report-Writer columns and lines.
inline constexpr int GridColumnWidth = 10;
inline constexpr int GridLineHeight = 18;

// The kind of a generated line; PEdit holds one bit per attribute.
enum TTypeEditAttr {
    spCaption,
    spTab,
    spAlign,
    spBeforeCode,
    spAfterCode,
    spNewLine,
    spUnderline,
    spNonUnderline,
    spBlock_p,
    spBlock_k,
    spField_p,
    spField_k,
    spNeed,
};

using TTypeEdit = quint16;

constexpr TTypeEdit editSet(TTypeEditAttr attribute)
{
    return static_cast<TTypeEdit>(1u << attribute);
}

// The line tag attached to a generated line: what kind of line it is and
// which component produced it. Tags are shared by the lines that carry them.
struct TEditObject
{
    TEditObject(QObject *parent, TTypeEdit edit) : PEdit(edit), PParent(parent) {}

    bool has(TTypeEditAttr attribute) const { return PEdit & editSet(attribute); }

    TTypeEdit PEdit;
    QPointer<QObject> PParent;
};

using EditObjectPtr = std::shared_ptr<TEditObject>;

// What a code line carries besides its text: a component (the page or a
// band), a line tag, or nothing (lines typed by the user).
struct LineObject
{
    QPointer<QObject> component;
    EditObjectPtr tag;

    bool isEmpty() const { return !component && !tag; }
};

struct CodeLine
{
    QString text;
    LineObject object;
};

// A string list whose lines may carry objects.
class CodeLines : public QList<CodeLine>
{
public:
    using QList<CodeLine>::QList;

    QStringList texts() const;
    void setTexts(const QStringList &texts);
    void add(const QString &text, const LineObject &object = {}) { append({text, object}); }
    void add(const QString &text, QObject *component) { append({text, {component, {}}}); }
    void add(const QString &text, QObject *parent, TTypeEditAttr attribute);
};

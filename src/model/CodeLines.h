#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

// The kind of a generated line; attributes holds one bit per attribute.
enum LineAttribute {
    spCaption,
    spTab,
    spAlign,
    spBeforeCode,
    spAfterCode,
    spNewLine,
    spUnderline,
    spNonUnderline,
    spBlockStart,
    spBlockEnd,
    spFieldStart,
    spFieldEnd,
    spNeed,
};

using LineAttributes = quint16;

constexpr LineAttributes attributeBit(LineAttribute attribute)
{
    return static_cast<LineAttributes>(1u << attribute);
}

// The line tag attached to a generated line: what kind of line it is and
// which component produced it. Tags are shared by the lines that carry them.
struct LineTag
{
    LineTag(QObject *parent, LineAttributes edit) : attributes(edit), producer(parent) {}

    bool has(LineAttribute attribute) const { return attributes & attributeBit(attribute); }

    LineAttributes attributes;
    QPointer<QObject> producer;
};

using LineTagPtr = std::shared_ptr<LineTag>;

// What a code line carries besides its text: a component (the page or a
// band), a line tag, or nothing (lines typed by the user).
struct LineObject
{
    QPointer<QObject> component;
    LineTagPtr tag;

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
    void add(const QString &text, QObject *parent, LineAttribute attribute);
};

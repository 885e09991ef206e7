#pragma once

#include <QKeyCombination>
#include <QList>
#include <QString>
#include <QStringList>

class QKeyEvent;

// The keys of a source editor's own commands ("Ctrl+Y=DeleteLine"); keys
// that are not bound here keep the editor's standard meaning. Stored in
// the editor settings files as they are written by toStrings().
class EditorKeyBindings
{
public:
    struct Binding
    {
        QKeyCombination key;
        QString command;

        bool operator==(const Binding &) const = default;
    };

    static EditorKeyBindings defaults();
    // Entries that are not "<key>=<command>" with a key Qt can read are left out.
    static EditorKeyBindings fromStrings(const QStringList &entries);
    QStringList toStrings() const;

    void bind(QKeyCombination key, const QString &command);
    // The command bound to the key, or an empty text.
    QString commandFor(QKeyCombination key) const;

    // The key of an event as bindings name it: Shift with a digit key gives
    // the digit whatever symbol the keyboard layout puts on it.
    static QKeyCombination keyOf(const QKeyEvent *event);

    bool operator==(const EditorKeyBindings &) const = default;

private:
    QList<Binding> m_bindings;
};

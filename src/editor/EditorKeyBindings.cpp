#include "editor/EditorKeyBindings.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>

namespace {

constexpr Qt::KeyboardModifiers bindingModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// The digit under a shifted key: by the key's position on the keyboard
// when the platform reports it, else by the symbols of the common layouts.
int shiftedDigit(const QKeyEvent *event)
{
    // X11 and Wayland key codes 10 to 19 are the digit row, 1 to 0.
    static const bool xkbCodes = QGuiApplication::platformName() == u"xcb"
                                 || QGuiApplication::platformName().startsWith(u"wayland");
    if (const quint32 code = event->nativeScanCode(); code && xkbCodes)
        return code >= 10 && code <= 19 ? int(code - 9) % 10 : -1;
    static const QString symbols = QStringLiteral(")!@#$%^&*(");
    const int key = event->key();
    return key > 0 && key < 0x80 ? int(symbols.indexOf(QChar(key))) : -1;
}

} // namespace

EditorKeyBindings EditorKeyBindings::defaults()
{
    EditorKeyBindings bindings;
    const auto ctrl = [](Qt::Key key) {
        return QKeyCombination(Qt::ControlModifier, key);
    };
    const auto shiftCtrl = [](Qt::Key key) {
        return QKeyCombination(Qt::ShiftModifier | Qt::ControlModifier, key);
    };
    bindings.bind(ctrl(Qt::Key_Z), QStringLiteral("Undo"));
    bindings.bind(shiftCtrl(Qt::Key_Z), QStringLiteral("Redo"));
    bindings.bind(ctrl(Qt::Key_Y), QStringLiteral("DeleteLine"));
    bindings.bind(shiftCtrl(Qt::Key_Y), QStringLiteral("DeleteToEndOfLine"));
    for (int digit = 0; digit <= 9; ++digit) {
        const auto key = Qt::Key(Qt::Key_0 + digit);
        bindings.bind(ctrl(key), QStringLiteral("GotoBookmark%1").arg(digit));
        bindings.bind(shiftCtrl(key), QStringLiteral("SetBookmark%1").arg(digit));
    }
    bindings.bind(shiftCtrl(Qt::Key_N), QStringLiteral("NormalSelection"));
    bindings.bind(shiftCtrl(Qt::Key_C), QStringLiteral("ColumnSelection"));
    bindings.bind(shiftCtrl(Qt::Key_L), QStringLiteral("LineSelection"));
    bindings.bind(shiftCtrl(Qt::Key_I), QStringLiteral("IndentBlock"));
    bindings.bind(shiftCtrl(Qt::Key_U), QStringLiteral("UnindentBlock"));
    bindings.bind(ctrl(Qt::Key_Space), QStringLiteral("Complete"));
    return bindings;
}

EditorKeyBindings EditorKeyBindings::fromStrings(const QStringList &entries)
{
    EditorKeyBindings bindings;
    for (const QString &entry : entries) {
        // The key may itself be "=" ("Ctrl+="): the command follows the last one.
        const qsizetype equals = entry.lastIndexOf(u'=');
        if (equals <= 0 || equals == entry.size() - 1)
            continue;
        const QKeySequence sequence =
            QKeySequence::fromString(entry.left(equals), QKeySequence::PortableText);
        if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown)
            continue;
        bindings.bind(sequence[0], entry.mid(equals + 1).trimmed());
    }
    return bindings;
}

QStringList EditorKeyBindings::toStrings() const
{
    QStringList entries;
    for (const Binding &binding : m_bindings) {
        entries.append(QKeySequence(binding.key).toString(QKeySequence::PortableText) + u'='
                       + binding.command);
    }
    return entries;
}

void EditorKeyBindings::bind(QKeyCombination key, const QString &command)
{
    for (Binding &binding : m_bindings) {
        if (binding.key == key) {
            binding.command = command;
            return;
        }
    }
    m_bindings.append({key, command});
}

QString EditorKeyBindings::commandFor(QKeyCombination key) const
{
    for (const Binding &binding : m_bindings) {
        if (binding.key == key)
            return binding.command;
    }
    return {};
}

QKeyCombination EditorKeyBindings::keyOf(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & bindingModifiers;
    auto key = Qt::Key(event->key());
    if ((modifiers & Qt::ShiftModifier) && (key < Qt::Key_0 || key > Qt::Key_9)) {
        const int digit = shiftedDigit(event);
        if (digit >= 0)
            key = Qt::Key(Qt::Key_0 + digit);
    }
    return QKeyCombination(modifiers, key);
}

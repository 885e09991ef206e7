#include "shell/ExternalPrograms.h"

#include <QProcess>

#include <algorithm>

namespace ExternalPrograms {

bool isBlank(const QString &value)
{
    for (const QChar c : value) {
        if (c > QLatin1Char(' '))
            return false;
    }
    return true;
}

QStringList reportArguments(const QString &vnode, const QString &database, const QString &user)
{
    const QString target = isBlank(vnode) ? database : vnode + QStringLiteral("::") + database;
    return {target, QStringLiteral("-i~tmp.rw"), QStringLiteral("-u") + user};
}

QString unsafeReportValue(const QString &property, const QString &value)
{
    const bool splits = std::any_of(value.cbegin(), value.cend(), [](QChar c) {
        return c <= QLatin1Char(' ') || c.isSpace() || c.category() == QChar::Other_Control;
    });
    if (!splits && !value.startsWith(QLatin1Char('-')))
        return {};
    return QStringLiteral("ERROR. %1 cannot hold blanks, line breaks or a leading '-': %2")
        .arg(property, value);
}

QStringList commandWords(const QString &program, const QStringList &arguments)
{
    return QProcess::splitCommand(program) + arguments;
}

bool start(const QString &program, const QStringList &arguments)
{
    const QStringList words = commandWords(program, arguments);
    if (words.isEmpty())
        return false;
    return QProcess::startDetached(words.constFirst(), words.mid(1));
}

} // namespace ExternalPrograms

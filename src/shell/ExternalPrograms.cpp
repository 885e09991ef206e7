#include "shell/ExternalPrograms.h"

#include <QProcess>

namespace ExternalPrograms {

bool isBlank(const QString &value)
{
    for (const QChar c : value) {
        if (c > QLatin1Char(' '))
            return false;
    }
    return true;
}

QString reportParameters(const QString &vnode, const QString &database, const QString &user)
{
    const QString target = isBlank(vnode) ? database : vnode + QStringLiteral("::") + database;
    return target + QStringLiteral(" -i~tmp.rw -u") + user;
}

QStringList commandWords(const QString &program, const QString &parameters)
{
    return QProcess::splitCommand(program) + QProcess::splitCommand(parameters);
}

bool start(const QString &program, const QString &parameters)
{
    const QStringList words = commandWords(program, parameters);
    if (words.isEmpty())
        return false;
    return QProcess::startDetached(words.constFirst(), words.mid(1));
}

} // namespace ExternalPrograms

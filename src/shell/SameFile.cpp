#include "shell/SameFile.h"

#include <QFile>

#include <sys/stat.h>

bool isSameFile(const QString &first, const QString &second)
{
    struct stat a = {};
    struct stat b = {};
    return ::stat(QFile::encodeName(first).constData(), &a) == 0
           && ::stat(QFile::encodeName(second).constData(), &b) == 0 && a.st_dev == b.st_dev
           && a.st_ino == b.st_ino;
}

#pragma once

#include <QString>

// Whether both names lead to one file, through a symbolic link, "..", or
// another hard link.
bool isSameFile(const QString &first, const QString &second);

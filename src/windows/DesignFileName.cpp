#include "windows/DesignFileName.h"

#include <algorithm>

namespace {

// Index of the extension's "." within the file-name part, or -1.
qsizetype extensionDot(const QString &fileName)
{
    const qsizetype nameStart =
        std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\')) + 1;
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot >= nameStart ? dot : -1;
}

} // namespace

QString designFileNameFor(const QString &fileName)
{
    // A chosen design file is opened and written back under its own name:
    // on a file system that tells letter cases apart, "SALES.KFX" and
    // "SALES.kfx" are two files.
    if (isDesignFileName(fileName))
        return fileName;
    const qsizetype dot = extensionDot(fileName);
    return (dot < 0 ? fileName : fileName.left(dot)) + QStringLiteral(".kfx");
}

bool isDesignFileName(const QString &fileName)
{
    const qsizetype dot = extensionDot(fileName);
    return dot >= 0 && fileName.mid(dot).compare(u".kfx", Qt::CaseInsensitive) == 0;
}

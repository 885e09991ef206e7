#include "shell/NameOnlyIconProvider.h"

#include <QFileInfo>
#include <QMimeDatabase>

namespace {

QMimeType mimeTypeByName(const QFileInfo &info)
{
    return QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
}

} // namespace

QIcon NameOnlyIconProvider::icon(const QFileInfo &info) const
{
    if (info.isDir())
        return QFileIconProvider::icon(Folder);
    return QIcon::fromTheme(mimeTypeByName(info).iconName(), QFileIconProvider::icon(File));
}

QString NameOnlyIconProvider::type(const QFileInfo &info) const
{
    if (info.isDir())
        return QFileIconProvider::type(info);
    return mimeTypeByName(info).comment();
}

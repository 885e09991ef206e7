#pragma once

#include "preview/DataSource.h"

#include <QMap>
#include <QString>
#include <QStringList>

// What a report's preview ran over last time, kept in "KFX.ini" in a
// section of its own for each report file ("Preview " and the file's
// absolute path): the data source, with the server password as the FTP
// password is kept (the file is readable by its owner only), and the
// values given to its $parameters ("Param." and the name).
namespace PreviewSettings {

// The section of the report file path.
QString sectionOf(const QString &path);

// Sample data when nothing was chosen for the file.
DataSource dataSource(const QString &path);
// False when "KFX.ini" cannot be written, with the reason in *error.
bool setDataSource(const QString &path, const DataSource &data, QString *error = nullptr);

// The last values of the named parameters; empty for those never given.
QMap<QString, QString> parameterValues(const QString &path, const QStringList &names);
bool setParameterValues(const QString &path, const QMap<QString, QString> &values,
                        QString *error = nullptr);

} // namespace PreviewSettings

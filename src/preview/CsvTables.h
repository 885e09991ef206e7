#pragma once

#include <QSqlDatabase>
#include <QString>

// Loads each *.csv file of a folder into a table named after the file (the
// first line names the columns; their types are guessed from the values:
// integer, float, date, else varchar). False with *error set on a file that
// cannot be read, is not UTF-8, or has a row with a different number of
// fields than its header.
bool loadCsvFolder(const QString &folder, const QSqlDatabase &database, QString *error);

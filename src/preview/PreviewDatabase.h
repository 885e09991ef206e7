#pragma once

#include "preview/DataSource.h"

#include <QSqlDatabase>
#include <QString>

// A database connection of one run, under a name no other run uses, removed
// when the run ends.
class PreviewDatabase
{
public:
    PreviewDatabase();
    ~PreviewDatabase();
    PreviewDatabase(const PreviewDatabase &) = delete;
    PreviewDatabase &operator=(const PreviewDatabase &) = delete;

    // Opens the source: the SQLite file, an in-memory database for sample
    // data and CSV folders, or the server. False with *error set.
    bool open(const DataSource &source, QString *error);
    QSqlDatabase database() const { return m_database; }

    // Runs ;-separated statements (.SETUP, .CLEANUP); false with *error set.
    bool execute(const QString &statements, QString *error);

private:
    QString m_name;
    QSqlDatabase m_database;
};

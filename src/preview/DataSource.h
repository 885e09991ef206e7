#pragma once

#include <QString>

#include <optional>

// Where a preview takes its rows from.
struct DataSource
{
    enum class Kind {
        Sample,     // rows made up from the report's own query and formats
        SQLite,     // a database file
        CsvFolder,  // a folder of *.csv files, one table each
        PostgreSQL, // a server through Qt's QPSQL driver
    };

    Kind kind = Kind::Sample;
    QString path; // the SQLite file or the CSV folder
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString password; // never shown: describe() leaves it out

    // The command line's --data value: an SQLite file, a CSV folder or
    // postgresql://user@host:port/database. nullopt with *error set when
    // the value names none of these.
    static std::optional<DataSource> fromArgument(const QString &argument, QString *error);

    // A one-line description for messages and the window, without the password.
    QString describe() const;
};

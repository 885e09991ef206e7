#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// What the program was asked to do on its command line.
struct CommandLineRequest
{
    enum Action {
        StartDesigner,
        Generate,
        Dump,
        Undump,
        Check,
        Import,
        Preview,
        Help,
        Version,
        Invalid
    };

    Action action = StartDesigner;
    QString design; // --generate / --dump / --undump / --check (the first file) / --import
    QString output; // --output FILE; empty for standard output
    bool unixLineEnds = false;
    QStringList files; // files to open in the designer, or to check after the first
    QString error;     // why the line is Invalid
    // --preview: --data SOURCE, each --param NAME=VALUE, the report
    // program's flags after "--".
    QString dataSource;
    QStringList parameters;
    QStringList reportFlags;

    bool isHeadless() const { return action != StartDesigner; }
};

CommandLineRequest parseCommandLine(const QStringList &arguments);

QString usageText();

// Carries out a headless request; returns the exit status (0 success,
// 1 invalid usage, output that standard output did not take or, for
// --check, errors found, 2 a file that cannot be read or written).
int runHeadless(const CommandLineRequest &request, QTextStream &out, QTextStream &err);

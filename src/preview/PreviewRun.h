#pragma once

#include "preview/DataSource.h"
#include "preview/PrintedPage.h"

#include <QByteArray>
#include <QMap>
#include <QStringList>

#include <functional>
#include <optional>

// Reads a file whole, or gives nothing and why not in *error.
using FileReader =
    std::function<std::optional<QByteArray>(const QString &fileName, QString *error)>;

struct PreviewOptions
{
    // Where .INCLUDE finds its files: relative names are taken from
    // sourceFolder, and readFile reads them; without readFile .INCLUDE
    // cannot be previewed.
    QString sourceFolder;
    FileReader readFile;
    QMap<QString, QString> parameters; // $name (without the $) -> value, bound, never pasted
    QStringList reportFlags;           // the report program's own flags (-l132, -v60, +b, -h …)
    int pageLimit = 100000;            // a report printing more pages stops with a message
};

// A message of a run: a statement not previewed, a database or engine error.
// line is the source line it concerns, 0 when none.
struct PreviewMessage
{
    int line = 0;
    QString text;
};

// Receives a run's output as it is printed. Called in the thread that runs
// the report; a window forwards to its own thread.
class PreviewObserver
{
public:
    virtual ~PreviewObserver() = default;
    virtual void pagePrinted(const PrintedPage &page) = 0;
    virtual void message(const PreviewMessage &message) = 0;
    virtual void rowsRead(qint64 rows) { Q_UNUSED(rows); }
    // Polled between rows and lines: true stops the run at once.
    virtual bool cancelRequested() const { return false; }
};

enum class PreviewOutcome {
    Finished,  // every page printed (messages may still have been given)
    Failed,    // stopped by an error, given as a message
    Cancelled, // stopped because cancelRequested() said so
};

// Interprets a Report-Writer source as the report program would and prints
// it over the given data, in the calling thread, with a database connection
// of its own that it closes before returning.
PreviewOutcome runPreview(const QByteArray &source, const DataSource &data,
                          const PreviewOptions &options, PreviewObserver &observer);

// The source as it previews: a design drawn before it has a name gives no
// .NAME, which the report program needs first; it previews as if named
// name (made a valid report name). A source with a .NAME is returned as it
// is. The name goes on the first line, so that line numbers stay.
QByteArray namedForPreview(const QByteArray &source, const QString &name);

// The $parameters the report uses, in order of first use, for asking the
// user before a run.
QStringList reportParameters(const QByteArray &source, const PreviewOptions &options = {});

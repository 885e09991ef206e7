#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <stdexcept>

class ClassRegistry;
class ComponentOwner;
class QObject;
class QWidget;

// A failure to read or write an object stream; what() is UTF-8.
class StreamError : public std::runtime_error
{
public:
    explicit StreamError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

// The hooks a reader offers its user. Report components have no events
// or component references, so no hook resolves those.
struct ReaderHooks
{
    // A recoverable error ("Error reading mText1.Foo: Property does not exist");
    // answering true skips what failed and goes on, false ends the read.
    // Without a hook every such error counts as handled.
    std::function<bool(const QString &message)> onError;
    // The final name of a component just read; the default keeps the proposal.
    std::function<QString(QWidget *component, const QString &proposed)> onSetName;
};

// The binary object stream of designs, editor settings, templates and the
// clipboard. Streams are written with the components' owner as root: only
// children owned by it are written.
namespace ObjectStream {

inline const QByteArray Signature = QByteArrayLiteral("TPF0");

// One complete stream (signature and object) of a component.
QByteArray writeComponent(const QWidget *component, const ComponentOwner &root,
                          const ClassRegistry &registry);

// Block layout: one stream per component, then a single 0 byte.
QByteArray writeBlock(const QList<QWidget *> &components, const ComponentOwner &root,
                      const ClassRegistry &registry);

// Reads streams from data until an end-of-list byte where a signature would
// begin, creating each top-level object as a child of parent (components
// with a parent are shown, as live controls are); then gives
// every component read its loaded notification, children before parents.
// Returns the top-level components in stream order. Throws StreamError on
// an error the hooks do not handle, on damaged data and on data that ends
// before that end-of-list byte: the object being read then is freed, and
// the complete ones before it stay and still get their notification.
QList<QWidget *> readStreams(const QByteArray &data, ComponentOwner &owner, QWidget *parent,
                             const ClassRegistry &registry, const ReaderHooks &hooks = {});

// Stage file layout: a stream per direct child control of the stage in
// child order, then one 0 byte per stream. Written as FileReplacement
// writes, so a failed save (a full disk too) leaves the old file as it was.
// Throws StreamError("Cannot create file <fileName>") when it cannot be written.
void saveStageFile(const QWidget *stage, const QString &fileName, const ComponentOwner &root,
                   const ClassRegistry &registry);

// Replaces every control of the stage by those read from a stage file:
// the stage's controls (those the registry knows) are freed last first,
// then the streams are read with every read error handled (and still
// passed to hooks.onError) and every name made unique in the owner before
// hooks.onSetName sees it. Throws StreamError("<fileName> can not be read")
// when the file cannot be opened or is no file InputFile reads (the stage
// is then left as it was), is empty, ends early or holds no stream; the
// stage keeps what was read before the failure.
QList<QWidget *> loadStageFile(QWidget *stage, const QString &fileName, ComponentOwner &owner,
                               const ClassRegistry &registry, const ReaderHooks &hooks = {});

// The clash rename rule: the proposed name when the owner holds no
// component of that name, else the class name without its first letter
// followed by the first free number. An empty name stays empty.
QString uniqueComponentName(const ComponentOwner &owner, const QString &proposed,
                            const QString &className);

} // namespace ObjectStream

#pragma once

#include <QByteArrayView>
#include <QFileDevice>
#include <QSaveFile>
#include <QString>

#include <optional>

// Every file the program saves is written through this: the new content
// goes to a temporary file beside the target, which replaces the target
// only when every write, the sync to disk and the close succeeded. On any
// failure the temporary file goes and the old file stays whole.
//
// Writes are unbuffered and each is checked: QSaveFile's own buffer takes
// the bytes without complaint, and when flushing it fails later (a full
// disk) commit() still renames, replacing the old file by an empty one. A
// folder that may not be written fails the save too: the file is never
// rewritten in place, where a failure would leave it half written.
class FileReplacement
{
public:
    explicit FileReplacement(const QString &fileName);

    // With permissions, the new file gets them whatever the old one had;
    // they are set before any byte is written.
    bool open(std::optional<QFileDevice::Permissions> permissions = std::nullopt);
    // False once anything has failed; the later writes do nothing.
    bool write(QByteArrayView bytes);
    // Replaces the file; false, with the old file as it was, when anything
    // failed since open().
    bool commit();
    QString errorString() const { return m_error; }

    // The whole content at once; why it failed in *error.
    static bool replace(const QString &fileName, QByteArrayView content, QString *error = nullptr);
    // The same for a name in a folder others may write: a symbolic link of
    // that name is replaced by the file, never written through (QSaveFile
    // follows it and would replace whatever file it leads to). The new file
    // may be read by its owner only.
    static bool replaceLinkToo(const QString &fileName, QByteArrayView content,
                               QString *error = nullptr);

private:
    bool fail(const QString &error);

    QSaveFile m_file;
    QString m_error;
    bool m_failed = false;
};

#pragma once

#include <QByteArrayView>
#include <QStringList>

#include <functional>
#include <optional>

// The Report-Writer source of a report window as a text file. Files are
// written in UTF-8; reading takes UTF-8 and, byte by byte, Windows-1250 for
// what is not valid UTF-8.
namespace ReportDocumentText {

struct SourceText
{
    QStringList lines;
    // Whether the file held a CR anywhere: a file without one is written
    // back with LF line ends.
    bool hadCr = false;
};

// The lines of the file, each ending at LF or CR LF; nothing when it
// cannot be read or is no file InputFile reads.
std::optional<SourceText> read(const QString &fileName);

// Creates or replaces the file with every line followed by lineEnd, calling
// lineWritten after each line. The file is replaced only when all of it
// was written: false, and the previous file as it was, on any failure,
// a folder that may not be written among them.
bool write(const QString &fileName, const QStringList &lines, QByteArrayView lineEnd,
           const std::function<void()> &lineWritten = {});

// The same at once, for a name that may be a symbolic link planted by
// someone else: the link is replaced, the file it leads to left alone.
bool writeReplacingLink(const QString &fileName, const QStringList &lines, QByteArrayView lineEnd);

// The line end of text files where the program runs.
#ifdef Q_OS_WIN
inline constexpr QByteArrayView PlatformLineEnd = "\r\n";
#else
inline constexpr QByteArrayView PlatformLineEnd = "\n";
#endif

} // namespace ReportDocumentText

#include "shell/IniFile.h"

#include "editor/TextFiles.h"

#include "model/FileReplacement.h"
#include "model/InputFile.h"

#include <QFileInfo>
#include <QLockFile>

using namespace Qt::StringLiterals;

namespace {

struct RawLine
{
    QByteArray text;
    QByteArray end; // "\n", "\r\n" or empty for an unterminated last line
};

QList<RawLine> splitLines(const QByteArray &data)
{
    QList<RawLine> lines;
    qsizetype start = 0;
    while (start < data.size()) {
        const qsizetype newline = data.indexOf('\n', start);
        if (newline < 0) {
            lines.append({data.mid(start), {}});
            break;
        }
        const bool crlf = newline > start && data[newline - 1] == '\r';
        const qsizetype textEnd = crlf ? newline - 1 : newline;
        lines.append({data.mid(start, textEnd - start), crlf ? "\r\n" : "\n"});
        start = newline + 1;
    }
    return lines;
}

// The name of a "[section]" line, or nothing.
std::optional<QString> sectionName(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    return trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

// The key of a "key=value" line, or nothing.
std::optional<QString> keyName(const QString &line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    return line.left(equals).trimmed();
}

bool isQuoted(QStringView value)
{
    return value.size() >= 2 && value.front() == value.back()
           && (value.front() == u'"' || value.front() == u'\'');
}

// Values lose surrounding blanks and one pair of quotes when read, as in
// every INI reader; a value that would change so is written in quotes.
QString parseValue(const QString &line)
{
    QString value = line.mid(line.indexOf(u'=') + 1).trimmed();
    if (isQuoted(value))
        value = value.mid(1, value.size() - 2);
    return value.left(IniFile::MaxValueLength);
}

// A line break would end the entry and start a line of its own.
QString quoteValue(QString value)
{
    value.replace(u"\r\n"_s, u" "_s).replace(u'\r', u' ').replace(u'\n', u' ');
    if (value.isEmpty())
        return value;
    const bool blankEdge = value.front().isSpace() || value.back().isSpace();
    return blankEdge || isQuoted(value) ? u'"' + value + u'"' : value;
}

struct Location
{
    qsizetype section = -1;   // the "[section]" line
    qsizetype key = -1;       // the key's line
    qsizetype lastEntry = -1; // the last "key=value" line of the section
};

Location locate(const QList<RawLine> &lines, QStringView section, QStringView key)
{
    Location location;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString line = TextFiles::decode(lines[index].text);
        if (const auto name = sectionName(line)) {
            if (location.section >= 0)
                break;
            if (name->compare(section, Qt::CaseInsensitive) == 0)
                location.section = index;
            continue;
        }
        if (location.section < 0)
            continue;
        if (const auto name = keyName(line)) {
            location.lastEntry = index;
            if (name->compare(key, Qt::CaseInsensitive) == 0) {
                location.key = index;
                break;
            }
        }
    }
    return location;
}

// Replaces what follows the '=' (and the blanks after it), keeping the
// key as the file spells it.
QByteArray replaceValue(const QByteArray &line, const QByteArray &value)
{
    qsizetype start = line.indexOf('=') + 1;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t'))
        ++start;
    return line.left(start) + value;
}

QByteArray lineEnding(const QList<RawLine> &lines)
{
    for (const RawLine &line : lines) {
        if (!line.end.isEmpty())
            return line.end;
    }
    return "\n";
}

QByteArray joinLines(const QList<RawLine> &lines)
{
    QByteArray bytes;
    for (const RawLine &line : lines)
        bytes += line.text + line.end;
    return bytes;
}

void insertLine(QList<RawLine> &lines, qsizetype index, const QByteArray &text,
                const QByteArray &end)
{
    if (index > 0 && lines[index - 1].end.isEmpty())
        lines[index - 1].end = end;
    lines.insert(index, {text, end});
}

std::optional<QString> valueAt(const QList<RawLine> &lines, const Location &location)
{
    if (location.key < 0)
        return std::nullopt;
    return parseValue(TextFiles::decode(lines[location.key].text));
}

// Replaces the key's value in place, or adds the key at the end of its
// section, or the section with the key at the end of the file.
void setValue(QList<RawLine> &lines, const QString &section, const QString &key,
              const QString &value)
{
    const Location location = locate(lines, section, key);
    const QByteArray encodedValue = quoteValue(value).toUtf8();
    const QByteArray end = lineEnding(lines);
    if (location.key >= 0) {
        lines[location.key].text = replaceValue(lines[location.key].text, encodedValue);
    } else if (location.section >= 0) {
        const qsizetype after = std::max(location.lastEntry, location.section);
        insertLine(lines, after + 1, key.toUtf8() + '=' + encodedValue, end);
    } else {
        insertLine(lines, lines.size(), '[' + section.toUtf8() + ']', end);
        insertLine(lines, lines.size(), key.toUtf8() + '=' + encodedValue, end);
    }
}

// Why the lock on path was not taken, as the user can act on it.
QString lockFailure(const QLockFile &lock, const QString &path)
{
    if (lock.error() == QLockFile::LockFailedError)
        return QStringLiteral("another program is writing it");
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir())
        return QStringLiteral("its folder does not exist");
    if (lock.error() == QLockFile::PermissionError || !folder.isWritable())
        return QStringLiteral("its folder may not be written");
    return QStringLiteral("its lock file cannot be made");
}

} // namespace

QString IniFile::readString(QStringView section, QStringView key, const QString &defaultValue) const
{
    const std::optional<QByteArray> bytes = InputFile::read(m_path);
    if (!bytes)
        return defaultValue;
    const QList<RawLine> lines = splitLines(*bytes);
    return valueAt(lines, locate(lines, section, key)).value_or(defaultValue);
}

bool IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    return updateStrings(section, {key},
                         [&value](const QStringList &) { return QStringList{value}; });
}

bool IniFile::updateStrings(const QString &section, const QStringList &keys, const Change &change)
{
    m_error.clear();
    // Two programs changing keys at once would each write back the file as
    // they read it, the other's key lost: one at a time reads, changes and
    // writes. A lock left by a program that ended is taken over.
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(LockWait)) {
        m_error = lockFailure(lock, m_path);
        return false;
    }
    QList<RawLine> lines;
    if (QFileInfo::exists(m_path)) {
        const std::optional<QByteArray> bytes = InputFile::read(m_path, &m_error);
        if (!bytes)
            return false;
        lines = splitLines(*bytes);
    }

    QStringList values;
    for (const QString &key : keys)
        values.append(valueAt(lines, locate(lines, section, key)).value_or(QString()));
    const std::optional<QStringList> changed = change(values);
    if (!changed)
        return true;
    for (qsizetype index = 0; index < keys.size(); ++index)
        setValue(lines, section, keys[index], changed->value(index));

    // It holds a password: owner-only however the old file was made.
    FileReplacement file(m_path);
    const bool written = file.open(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
                         && file.write(joinLines(lines)) && file.commit();
    if (!written)
        m_error = file.errorString();
    return written;
}

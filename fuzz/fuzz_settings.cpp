// Reads arbitrary bytes as "KFX.ini", then writes one key and reads the
// file again. The input is a key choice, a value and the file:
//   byte 0        which key to write (the keys the program uses, in turn);
//                 with bit 7 set there is no file before the write
//   up to a NUL   the value, decoded as text files are
//   the rest      the file's bytes (all of them, and an empty value, when
//                 there is no NUL)
// The value written must read back as written (line breaks become blanks,
// long values are cut), every other key must keep its value, a file the
// write creates must be private, and writing the same value again must
// leave the file byte for byte as it was.

#include "editor/TextFiles.h"
#include "shell/IniFile.h"
#include "shell/Settings.h"

#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "failed: %s\n", what);
        std::abort();
    }
}

// The keys the program reads and writes, and two spellings of them that
// must name the same key.
constexpr std::array<SettingKey, 11> Keys = {
    SettingKeys::FtpUser,
    SettingKeys::FtpPass,
    SettingKeys::FtpHost,
    SettingKeys::FtpRemoteDirectory,
    SettingKeys::TelnetProg,
    SettingKeys::TxtEditProg,
    SettingKeys::ReportProgram,
    SettingKeys::ReportUser,
    SettingKeys::CompletionWordFile,
    SettingKey{"ftp", "USER"},
    SettingKey{"runreport", "program"},
};

bool sameKey(const SettingKey &a, const SettingKey &b)
{
    return qstricmp(a.section, b.section) == 0 && qstricmp(a.key, b.key) == 0;
}

QString sectionOf(const SettingKey &key)
{
    return QString::fromLatin1(key.section);
}

QString keyOf(const SettingKey &key)
{
    return QString::fromLatin1(key.key);
}

const QString &iniPath()
{
    static QTemporaryDir folder;
    check(folder.isValid(), "a private temporary folder");
    static const QString path = folder.filePath(QStringLiteral("KFX.ini"));
    return path;
}

QByteArray readFile()
{
    QFile file(iniPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(QByteArrayView bytes)
{
    QFile file(iniPath());
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "fuzz file opens");
    check(file.write(bytes.data(), bytes.size()) == bytes.size(), "fuzz file written");
}

// It holds a password: nobody but its owner may read it, nobody run it.
constexpr QFileDevice::Permissions NotForOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                                  | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                                  | QFileDevice::WriteOther | QFileDevice::ExeOther
                                                  | QFileDevice::ExeOwner;

// A sentinel no file can hold, as no value read holds a line break.
const QString Missing = QStringLiteral("\n");

std::array<QString, Keys.size()> readAll(const IniFile &ini)
{
    std::array<QString, Keys.size()> values;
    for (size_t i = 0; i < Keys.size(); ++i)
        values[i] = ini.readString(sectionOf(Keys[i]), keyOf(Keys[i]), Missing);
    return values;
}

// What a value reads back as: line breaks, which would end the entry, are
// written as blanks, and reading cuts it to the longest value read.
QString readBack(QString value)
{
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    value.replace(u'\r', u' ').replace(u'\n', u' ');
    return value.left(IniFile::MaxValueLength);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArrayView input(data, qsizetype(size));
    const quint8 choice = quint8(input[0]);
    const SettingKey &target = Keys[(choice & 0x7F) % Keys.size()];
    const bool newFile = choice & 0x80;
    const QByteArrayView rest = input.sliced(1);
    const qsizetype nul = rest.indexOf('\0');
    const QString value = nul < 0 ? QString() : TextFiles::decode(rest.first(nul));
    if (newFile)
        QFile::remove(iniPath());
    else
        writeFile(nul < 0 ? rest : rest.sliced(nul + 1));

    IniFile ini(iniPath());
    const auto before = readAll(ini);
    check(ini.writeString(sectionOf(target), keyOf(target), value), "the key is written");
    const auto after = readAll(ini);
    for (size_t i = 0; i < Keys.size(); ++i) {
        if (sameKey(Keys[i], target))
            check(after[i] == readBack(value), "the value reads back as written");
        else
            check(after[i] == before[i], "other keys keep their values");
    }

    if (newFile)
        check((QFile::permissions(iniPath()) & NotForOthers) == 0, "a new file is private");

    const QByteArray written = readFile();
    check(ini.writeString(sectionOf(target), keyOf(target), value), "the key is written again");
    check(readFile() == written, "writing the same value again changes nothing");
    return 0;
}

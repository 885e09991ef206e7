#include "shell/InspectorPlacementSettings.h"

#include "editor/SettingsFiles.h"
#include "shell/IniFile.h"

namespace {

const QString Section = QStringLiteral("Inspector");
const QStringList Keys = {QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Width"),
                          QStringLiteral("Height")};

} // namespace

namespace InspectorPlacementSettings {

std::optional<QRect> read()
{
    const IniFile file(SettingsFiles::iniPath());
    QList<int> numbers;
    for (const QString &key : Keys) {
        bool ok = false;
        numbers.append(file.readString(Section, key, QString()).trimmed().toInt(&ok));
        if (!ok)
            return std::nullopt;
    }
    const QRect bounds(numbers[0], numbers[1], numbers[2], numbers[3]);
    return bounds.isEmpty() ? std::nullopt : std::optional<QRect>(bounds);
}

bool write(const QRect &bounds)
{
    IniFile file(SettingsFiles::iniPath());
    return file.updateStrings(Section, Keys, [&bounds](const QStringList &) {
        return QStringList{QString::number(bounds.left()), QString::number(bounds.top()),
                           QString::number(bounds.width()), QString::number(bounds.height())};
    });
}

} // namespace InspectorPlacementSettings

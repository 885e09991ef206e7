#include "windows/DesignLimits.h"

#include "model/InputFile.h"
#include "model/StreamCensus.h"

namespace DesignLimits {

std::optional<QString> refusal(const QString &fileName)
{
    const std::optional<QByteArray> data = InputFile::read(fileName);
    if (!data)
        return std::nullopt;
    const ObjectStream::StreamCensus census = ObjectStream::countComponents(*data);
    if (census.components > MostComponents)
        return QStringLiteral("The design is too large to show: it holds %1 components, "
                              "a report window shows at most %2.")
            .arg(census.components)
            .arg(MostComponents);
    if (census.mostSiblings > MostInOneParent)
        return QStringLiteral("The design is too large to show: %1 components lie in one band, "
                              "a report window shows at most %2 there.")
            .arg(census.mostSiblings)
            .arg(MostInOneParent);
    return std::nullopt;
}

} // namespace DesignLimits

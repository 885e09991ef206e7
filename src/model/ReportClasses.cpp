#include "model/ReportClasses.h"

namespace {

template<class T>
ClassInfo reportClass(const QString &storedName, const PropertyTable &properties,
                      bool windowed = true)
{
    ClassInfo info;
    info.name = storedName;
    info.metaObject = &T::staticMetaObject;
    info.properties = &properties;
    info.create = [](ComponentOwner *owner, QWidget *parent) -> QWidget * {
        return new T(owner, parent);
    };
    info.beginLoading = [](QObject *object) {
        static_cast<T *>(object)->beginLoading();
    };
    info.loaded = [](QObject *object) {
        static_cast<T *>(object)->loaded();
    };
    info.windowed = windowed;
    return info;
}

// The names design files store for the report classes.
ClassRegistry buildRegistry()
{
    ClassRegistry registry;
    registry.add(reportClass<ReportPage>(QStringLiteral("TmPage"), pagePropertyTable()));
    registry.add(reportClass<Band>(QStringLiteral("TmBand"), bandPropertyTable()));
    registry.add(reportClass<BreakBand>(QStringLiteral("TmBreakBand"), breakBandPropertyTable()));
    registry.add(reportClass<TextItem>(QStringLiteral("TmText"), textPropertyTable()));
    registry.add(
        reportClass<CodeBlock>(QStringLiteral("TMBlockCode"), blockCodePropertyTable(), false));
    registry.add(reportClass<BlockPanel>(QStringLiteral("TmBlock"), blockPropertyTable()));
    return registry;
}

} // namespace

const ClassRegistry &reportClasses()
{
    static const ClassRegistry registry = buildRegistry();
    return registry;
}

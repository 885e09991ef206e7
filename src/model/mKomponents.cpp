#include "model/mKomponents.h"

namespace {

template<class T>
ClassInfo reportClass(const PropertyTable &properties, bool windowed = true)
{
    ClassInfo info;
    info.name = QString::fromLatin1(T::staticMetaObject.className());
    info.metaObject = &T::staticMetaObject;
    info.properties = &properties;
    info.create = [](ComponentOwner *owner, QWidget *parent) -> QWidget * {
        return new T(owner, parent);
    };
    info.beginLoading = [](QObject *object) { static_cast<T *>(object)->beginLoading(); };
    info.loaded = [](QObject *object) { static_cast<T *>(object)->loaded(); };
    info.windowed = windowed;
    return info;
}

ClassRegistry buildRegistry()
{
    ClassRegistry registry;
    registry.add(reportClass<TmPage>(pagePropertyTable()));
    registry.add(reportClass<TmBand>(bandPropertyTable()));
    registry.add(reportClass<TmBreakBand>(breakBandPropertyTable()));
    registry.add(reportClass<TmText>(textPropertyTable()));
    registry.add(reportClass<TMBlockCode>(blockCodePropertyTable(), false));
    registry.add(reportClass<TmBlock>(blockPropertyTable()));
    return registry;
}

} // namespace

const ClassRegistry &reportClasses()
{
    static const ClassRegistry registry = buildRegistry();
    return registry;
}

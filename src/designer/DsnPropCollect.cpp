#include "designer/DsnPropCollect.h"

#include "designer/DsnPropInfo.h"
#include "designer/DsnPropLists.h"
#include "model/ClassRegistry.h"
#include "model/mKomponents.h"

namespace {

bool containsName(const QStringList &names, QStringView name)
{
    return PropLists::indexOfName(names, name) >= 0;
}

} // namespace

TPropCollection::TPropCollection() : TPropCollection(reportClasses()) {}

TPropCollection::TPropCollection(const ClassRegistry &registry) : m_registry(&registry) {}

void TPropCollection::setPropLists(const QStringList &names, const QStringList &captions,
                                   const QStringList &outNames)
{
    m_allowed = names;
    m_captions = captions;
    m_out = outNames;
    rebuild();
}

QString TPropCollection::captionOf(QStringView name) const
{
    const qsizetype index = PropLists::indexOfName(m_allowed, name);
    return index < 0 ? name.toString() : m_captions.value(index, m_allowed.at(index));
}

QList<QWidget *> TPropCollection::targets() const
{
    QList<QWidget *> live;
    for (const QPointer<QWidget> &target : m_targets) {
        if (target)
            live.append(target);
    }
    return live;
}

void TPropCollection::addTarget(QWidget *control)
{
    if (!control || m_targets.contains(control))
        return;
    m_targets.append(control);
    if (targets().size() == 1)
        collectFirst(control);
    else
        narrowTo(control);
}

void TPropCollection::nilTarget(int index)
{
    if (index >= 0 && index < m_targets.size())
        m_targets[index] = nullptr;
}

void TPropCollection::deleteTarget(int index)
{
    if (index < 0 || index >= m_targets.size())
        return;
    m_targets.removeAt(index);
    rebuild();
}

void TPropCollection::clearTargets()
{
    m_targets.clear();
    m_classes.clear();
    m_shownNames.clear();
    m_shownValues.clear();
}

void TPropCollection::recollect()
{
    const QList<QWidget *> live = targets();
    if (live.isEmpty())
        return;
    const TObjInfo first(live.first(), *m_registry);
    for (qsizetype i = 0; i < m_shownNames.size(); ++i) {
        const int index = first.indexOf(m_shownNames.at(i));
        m_shownValues[i] = index < 0 ? QString() : first.item(index).Value;
    }
    for (qsizetype i = 1; i < live.size(); ++i)
        blankDiffering(live.at(i));
}

void TPropCollection::collectFirst(QWidget *control)
{
    m_classes = {m_registry->of(control)};
    m_shownNames.clear();
    m_shownValues.clear();
    const TObjInfo info(control, *m_registry);
    for (const QString &name : std::as_const(m_allowed)) {
        const int index = info.indexOf(name);
        if (index < 0)
            continue;
        const TMyPropInfo property = info.item(index);
        if (containsName(m_shownNames, property.Name))
            continue;
        m_shownNames.append(property.Name);
        m_shownValues.append(property.Value);
    }
}

void TPropCollection::narrowTo(QWidget *control)
{
    if (targets().size() == 2) {
        for (qsizetype i = m_shownNames.size() - 1; i >= 0; --i) {
            if (containsName(m_out, m_shownNames.at(i)))
                removeShown(int(i));
        }
    }
    const ClassInfo *cls = m_registry->of(control);
    if (!m_classes.contains(cls)) {
        m_classes.append(cls);
        const TObjInfo info(control, *m_registry);
        for (qsizetype i = m_shownNames.size() - 1; i >= 0; --i) {
            if (info.indexOf(m_shownNames.at(i)) < 0)
                removeShown(int(i));
        }
    }
    blankDiffering(control);
}

void TPropCollection::blankDiffering(QWidget *control)
{
    const TObjInfo info(control, *m_registry);
    for (qsizetype i = 0; i < m_shownNames.size(); ++i) {
        const int index = info.indexOf(m_shownNames.at(i));
        if (index < 0)
            continue;
        const TMyPropInfo property = info.item(index);
        switch (property.Kind) {
        case TTypeKind::String:
            break;
        case TTypeKind::Integer:
        case TTypeKind::Enumeration:
        case TTypeKind::Float:
        case TTypeKind::Set:
            if (property.Value != m_shownValues.at(i))
                m_shownValues[i].clear();
            break;
        case TTypeKind::Class:
            m_shownValues[i].clear();
            break;
        }
    }
}

void TPropCollection::removeShown(int index)
{
    m_shownNames.removeAt(index);
    m_shownValues.removeAt(index);
}

void TPropCollection::rebuild()
{
    // Entries of destroyed controls keep their place until the selection
    // deletes them, so that indices stay those of the selection.
    const QList<QPointer<QWidget>> entries = m_targets;
    clearTargets();
    for (const QPointer<QWidget> &entry : entries) {
        if (entry)
            addTarget(entry);
        else
            m_targets.append(nullptr);
    }
}

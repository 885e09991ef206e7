#include "designer/PropertyCollection.h"

#include "designer/ObjectProperties.h"
#include "designer/StandardRows.h"
#include "model/ClassRegistry.h"
#include "model/ReportClasses.h"

#include <algorithm>

namespace {

bool containsName(const QStringList &names, QStringView name)
{
    return StandardRowLists::indexOfName(names, name) >= 0;
}

} // namespace

PropertyCollection::PropertyCollection() : PropertyCollection(reportClasses()) {}

PropertyCollection::PropertyCollection(const ClassRegistry &registry) : m_registry(&registry) {}

void PropertyCollection::setPropLists(const QStringList &names, const QStringList &captions,
                                      const QStringList &outNames)
{
    m_allowed = names;
    m_captions = captions;
    m_out = outNames;
    rebuild();
}

QString PropertyCollection::captionOf(QStringView name) const
{
    const qsizetype index = StandardRowLists::indexOfName(m_allowed, name);
    return index < 0 ? name.toString() : m_captions.value(index, m_allowed.at(index));
}

QList<QWidget *> PropertyCollection::targets() const
{
    QList<QWidget *> live;
    for (const QPointer<QWidget> &target : m_targets) {
        if (target)
            live.append(target);
    }
    return live;
}

void PropertyCollection::addTarget(QWidget *control)
{
    if (!control)
        return;
    // A lookup, confirmed on a hit, and a count that stops at two: selecting
    // thousands of controls one by one stays linear.
    if (m_members.contains(control)
        && std::any_of(m_targets.cbegin(), m_targets.cend(),
                       [control](const QPointer<QWidget> &target) { return target == control; }))
        return;
    qsizetype live = 0;
    for (const QPointer<QWidget> &target : std::as_const(m_targets)) {
        if (target && ++live == 2)
            break;
    }
    m_targets.append(control);
    m_members.insert(control);
    if (live == 0)
        collectFirst(control);
    else
        narrowTo(control, live + 1);
}

void PropertyCollection::nilTarget(int index)
{
    if (index >= 0 && index < m_targets.size())
        m_targets[index] = nullptr;
}

void PropertyCollection::deleteTarget(int index)
{
    if (index < 0 || index >= m_targets.size())
        return;
    m_targets.removeAt(index);
    rebuild();
}

void PropertyCollection::clearTargets()
{
    m_targets.clear();
    m_members.clear();
    m_classes.clear();
    m_shownNames.clear();
    m_shownValues.clear();
}

void PropertyCollection::recollect()
{
    const QList<QWidget *> live = targets();
    if (live.isEmpty())
        return;
    const ObjectProperties first(live.first(), *m_registry);
    for (qsizetype i = 0; i < m_shownNames.size(); ++i) {
        const int index = first.indexOf(m_shownNames.at(i));
        m_shownValues[i] = index < 0 ? QString() : first.item(index).value;
    }
    for (qsizetype i = 1; i < live.size(); ++i)
        blankDiffering(live.at(i));
}

void PropertyCollection::collectFirst(QWidget *control)
{
    m_classes = {m_registry->of(control)};
    m_shownNames.clear();
    m_shownValues.clear();
    const ObjectProperties info(control, *m_registry);
    for (const QString &name : std::as_const(m_allowed)) {
        const int index = info.indexOf(name);
        if (index < 0)
            continue;
        const PropertyRow property = info.item(index);
        if (containsName(m_shownNames, property.name))
            continue;
        m_shownNames.append(property.name);
        m_shownValues.append(property.value);
    }
}

void PropertyCollection::narrowTo(QWidget *control, qsizetype liveCount)
{
    if (liveCount == 2) {
        for (qsizetype i = m_shownNames.size() - 1; i >= 0; --i) {
            if (containsName(m_out, m_shownNames.at(i)))
                removeShown(int(i));
        }
    }
    const ClassInfo *cls = m_registry->of(control);
    if (!m_classes.contains(cls)) {
        m_classes.append(cls);
        const ObjectProperties info(control, *m_registry);
        for (qsizetype i = m_shownNames.size() - 1; i >= 0; --i) {
            if (info.indexOf(m_shownNames.at(i)) < 0)
                removeShown(int(i));
        }
    }
    blankDiffering(control);
}

void PropertyCollection::blankDiffering(QWidget *control)
{
    const ObjectProperties info(control, *m_registry);
    for (qsizetype i = 0; i < m_shownNames.size(); ++i) {
        const int index = info.indexOf(m_shownNames.at(i));
        if (index < 0)
            continue;
        const PropertyRow property = info.item(index);
        switch (property.kind) {
        case PropertyTypeKind::String:
            break;
        case PropertyTypeKind::Integer:
        case PropertyTypeKind::Enumeration:
        case PropertyTypeKind::Float:
        case PropertyTypeKind::Set:
            if (property.value != m_shownValues.at(i))
                m_shownValues[i].clear();
            break;
        case PropertyTypeKind::Class:
            m_shownValues[i].clear();
            break;
        }
    }
}

void PropertyCollection::removeShown(int index)
{
    m_shownNames.removeAt(index);
    m_shownValues.removeAt(index);
}

void PropertyCollection::rebuild()
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

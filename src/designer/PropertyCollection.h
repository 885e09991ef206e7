#pragma once

#include <QList>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QWidget>

class ClassRegistry;
struct ClassInfo;

// The properties a selection shares, and the values it shows for them:
// the allowed names that every target's class has (minus the out names
// while two or more targets are selected), in the order of the allowed
// list, each with the first target's value text, blanked where a further
// target differs (strings keep the first text, records are always blanked).
// Names are compared without regard to case; a shown name keeps the case
// of its declaration.
class PropertyCollection
{
public:
    PropertyCollection();
    explicit PropertyCollection(const ClassRegistry &registry);
    virtual ~PropertyCollection() = default;

    // Allowed names with their captions (parallel lists) and out names.
    void setPropLists(const QStringList &names, const QStringList &captions,
                      const QStringList &outNames);
    const QStringList &allowedNames() const { return m_allowed; }
    const QStringList &outNames() const { return m_out; }
    // The caption of the first appearance of the name in the allowed list.
    QString captionOf(QStringView name) const;

    int targetCount() const { return int(m_targets.size()); }
    QWidget *target(int index) const { return m_targets.value(index); }
    QList<QWidget *> targets() const;

    const QStringList &shownNames() const { return m_shownNames; }
    const QStringList &shownValues() const { return m_shownValues; }

    // The selection-change steps, applied to the collection.
    void addTarget(QWidget *control);
    void nilTarget(int index);
    void deleteTarget(int index);
    void clearTargets();
    // The values again for the shown names.
    void recollect();

    const ClassRegistry &registry() const { return *m_registry; }

private:
    void collectFirst(QWidget *control);
    // control joined liveCount - 1 live targets.
    void narrowTo(QWidget *control, qsizetype liveCount);
    void blankDiffering(QWidget *control);
    void removeShown(int index);
    void rebuild();

    const ClassRegistry *m_registry;
    QStringList m_allowed;
    QStringList m_captions;
    QStringList m_out;
    QList<QPointer<QWidget>> m_targets;
    // The controls ever added since the last clear; a hit is confirmed.
    QSet<const QWidget *> m_members;
    QList<const ClassInfo *> m_classes;
    QStringList m_shownNames;
    QStringList m_shownValues;
};

#pragma once

#include <QAction>

class QMenu;
class TDsnStage;
class TTargetList;

// A property item of the cover menu: its caption is the property's
// caption; it carries the property's name and the selection's value text.
class TDsnMenuItem : public QAction
{
    Q_OBJECT

public:
    TDsnMenuItem(const QString &caption, const QString &propName, const QString &value,
                 QObject *parent);

    QString propName() const { return m_propName; }
    QString value() const { return m_value; }

private:
    QString m_propName;
    QString m_value;
};

namespace DsnCoverMenu {

// Appends the property items of the stage's SelfProps that the selection
// shares (OutProps left out for several controls): a separator first when
// the menu holds items already, then one TDsnMenuItem per property whose
// choice runs CoverMenuClick. Call after removing the previous property
// items and before the stage's OnPopup.
void appendPropertyItems(QMenu *menu, TDsnStage *stage, const TTargetList &selection);

// A property item was chosen: only with the stage's OnMenuClick, which
// gets a snapshot of the selection, the item's name and value, and returns
// the value to write to every selected control as the inspector writes.
// Throws PropertyError when the value cannot be written.
void CoverMenuClick(TDsnStage *stage, TTargetList *selection, const TDsnMenuItem *item);

} // namespace DsnCoverMenu

#pragma once

#include <QAction>

class QMenu;
class DesignStage;
class SelectionList;

// A property item of the cover menu: its caption is the property's
// caption; it carries the property's name and the selection's value text.
class CoverMenuItem : public QAction
{
    Q_OBJECT

public:
    CoverMenuItem(const QString &caption, const QString &propName, const QString &value,
                  QObject *parent);

    QString propName() const { return m_propName; }
    QString value() const { return m_value; }

private:
    QString m_propName;
    QString m_value;
};

namespace CoverMenus {

// Appends the property items of the stage's selfProperties that the selection
// shares (excludedProperties left out for several controls): a separator first when
// the menu holds items already, then one CoverMenuItem per property whose
// choice runs coverMenuItemChosen. Call after removing the previous property
// items and before the stage's coverMenuAboutToPopup.
void appendPropertyItems(QMenu *menu, DesignStage *stage, const SelectionList &selection);

// A property item was chosen: only while the stage's menuClicked has a
// listener, which gets a snapshot of the selection, the item's name and
// value, and may change the value written to every selected control as
// the inspector writes.
// Throws PropertyError when the value cannot be written.
void coverMenuItemChosen(DesignStage *stage, SelectionList *selection, const CoverMenuItem *item);

} // namespace CoverMenus

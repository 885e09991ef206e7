#pragma once

#include "model/PropertyInfo.h"

#include <QHash>
#include <QPointer>
#include <QTreeWidget>

#include <functional>

// A grid of the published properties of one object: names on the left,
// values on the right, records unfolded into their members. A value typed
// or chosen in the grid is written to the object at once; one it cannot
// take is reported and the grid shows the object's value again.
class PropertyGrid : public QTreeWidget
{
    Q_OBJECT

public:
    using Filter = std::function<bool(const PropertyInfo &property)>;
    using ErrorHandler = std::function<void(const QString &message)>;

    explicit PropertyGrid(QWidget *parent = nullptr);

    // The properties of table that filter lets through (all without one).
    void setObject(QObject *object, const PropertyTable &table, const Filter &filter = {});
    QObject *object() const { return m_object; }
    // Without a handler, a message box.
    void setErrorHandler(ErrorHandler handler) { m_onError = std::move(handler); }

    // The row of a property by its dotted path ("Font.Name"); null when
    // the grid does not list it.
    QTreeWidgetItem *row(const QString &path) const;
    // The values again, after the object changed by other ways.
    void refresh();

private:
    void addRows(QTreeWidgetItem *parent, const QList<PropertyInfo> &properties,
                 const QString &prefix, const Filter &filter);
    void valueEdited(QTreeWidgetItem *item, int column);
    void write(const PropertyInfo &property, const QString &value);

    QPointer<QObject> m_object;
    QHash<QTreeWidgetItem *, const PropertyInfo *> m_properties;
    QHash<QString, QTreeWidgetItem *> m_rows; // by path, case-folded
    ErrorHandler m_onError;
    bool m_refreshing = false;
};

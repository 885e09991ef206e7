#include "dialogs/PropertyGrid.h"

#include "designer/ObjectProperties.h"
#include "designer/PropertyConversions.h"

#include "model/NamedValues.h"

#include <QComboBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>

namespace {

constexpr int NameColumn = 0;
constexpr int ValueColumn = 1;
constexpr int NamesRole = Qt::UserRole + 1;

// Values are typed, or chosen from their names when they have names;
// property names are not edited.
class ValueDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        if (index.column() != ValueColumn)
            return nullptr;
        const QStringList names = index.data(NamesRole).toStringList();
        if (names.isEmpty())
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto *chooser = new QComboBox(parent);
        chooser->addItems(names);
        // A choice is a value at once, as a typed value is on Return.
        auto *self = const_cast<ValueDelegate *>(this);
        connect(chooser, &QComboBox::activated, self, [self, chooser] {
            emit self->commitData(chooser);
            emit self->closeEditor(chooser);
        });
        return chooser;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *chooser = qobject_cast<QComboBox *>(editor))
            chooser->setCurrentText(index.data().toString());
        else
            QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        if (auto *chooser = qobject_cast<QComboBox *>(editor))
            model->setData(index, chooser->currentText());
        else
            QStyledItemDelegate::setModelData(editor, model, index);
    }
};

bool isTyped(PropKind kind)
{
    switch (kind) {
    case PropKind::Integer:
    case PropKind::Boolean:
    case PropKind::Enumeration:
    case PropKind::Float:
    case PropKind::Text:
    case PropKind::Colour:
    case PropKind::Charset:
        return true;
    default:
        return false;
    }
}

// Colours that have a name show it, as streams write them.
QString displayText(const QObject *object, const PropertyInfo &property)
{
    if (property.kind == PropKind::Colour && object && property.get) {
        const qint64 value = PropertyValues::toInt(property.get(object));
        if (const std::optional<QString> name = NamedValues::colourName(value))
            return *name;
    }
    return PropertyTexts::valueText(object, property);
}

} // namespace

PropertyGrid::PropertyGrid(QWidget *parent) : QTreeWidget(parent)
{
    setColumnCount(2);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setIndentation(10);
    setColumnWidth(NameColumn, 75);
    setItemDelegate(new ValueDelegate(this));
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                    | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    connect(this, &QTreeWidget::itemChanged, this, &PropertyGrid::valueEdited);
}

void PropertyGrid::setObject(QObject *object, const PropertyTable &table, const Filter &filter)
{
    const QScopedValueRollback refreshing(m_refreshing, true);
    clear();
    m_properties.clear();
    m_rows.clear();
    m_object = object;
    addRows(nullptr, table, QString(), filter);
    refresh();
}

void PropertyGrid::addRows(QTreeWidgetItem *parent, const QList<PropertyInfo> &properties,
                           const QString &prefix, const Filter &filter)
{
    for (const PropertyInfo &property : properties) {
        if (property.defined || property.kind == PropKind::Floats)
            continue;
        if (filter && !filter(property))
            continue;
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        item->setText(NameColumn, property.name);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (isTyped(property.kind) && !property.isReadOnly())
            flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
        item->setData(ValueColumn, NamesRole, PropertyTexts::valueNames(property));
        m_properties.insert(item, &property);
        const QString path = prefix + property.name;
        m_rows.insert(path.toCaseFolded(), item);
        if (property.kind == PropKind::Record)
            addRows(item, property.members, path + u'.', filter);
    }
}

QTreeWidgetItem *PropertyGrid::row(const QString &path) const
{
    return m_rows.value(path.toCaseFolded());
}

void PropertyGrid::refresh()
{
    const QScopedValueRollback refreshing(m_refreshing, true);
    for (auto entry = m_properties.cbegin(); entry != m_properties.cend(); ++entry)
        entry.key()->setText(ValueColumn, displayText(m_object, *entry.value()));
}

void PropertyGrid::valueEdited(QTreeWidgetItem *item, int column)
{
    if (m_refreshing || column != ValueColumn || !m_object)
        return;
    if (const PropertyInfo *property = m_properties.value(item))
        write(*property, item->text(ValueColumn));
    refresh();
}

void PropertyGrid::write(const PropertyInfo &property, const QString &value)
{
    try {
        const std::optional<qint64> named = property.kind == PropKind::Colour
                                                ? NamedValues::colourValue(value.trimmed())
                                                : std::nullopt;
        if (named)
            property.set(m_object, PropValue(*named));
        else
            PropertyConversions::writeValue(m_object, property, value);
    } catch (const PropertyError &error) {
        if (m_onError)
            m_onError(error.message());
        else
            QMessageBox::critical(this, window()->windowTitle(), error.message());
    }
}

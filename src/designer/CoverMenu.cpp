#include "designer/CoverMenu.h"

#include "designer/DesignChangeRecorder.h"
#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"
#include "designer/MultiProperties.h"
#include "designer/ObjectProperties.h"
#include "designer/PropertyConversions.h"
#include "designer/SelectionList.h"

#include <QMenu>
#include <QMessageBox>
#include <QPointer>

CoverMenuItem::CoverMenuItem(const QString &caption, const QString &propName, const QString &value,
                             QObject *parent)
    : QAction(QString(caption).replace(u'&', QStringLiteral("&&")), parent),
      m_propName(propName),
      m_value(value)
{
}

namespace CoverMenus {
namespace {

// A menu choice is one user operation: its failure ends here, in a message.
void chosen(DesignStage *stage, const CoverMenuItem *item)
{
    DesignRegister *dsnRegister = stage->designRegister();
    if (!dsnRegister || !dsnRegister->targets())
        return;
    try {
        coverMenuItemChosen(stage, dsnRegister->targets(), item);
    } catch (const PropertyError &error) {
        QMessageBox::critical(stage, QString(), error.message());
    }
}

} // namespace

void appendPropertyItems(QMenu *menu, DesignStage *stage, const SelectionList &selection)
{
    const ContextProperties props(stage->selfProperties, stage->excludedProperties, selection,
                                  stage->classRegistry());
    if (!menu->isEmpty())
        menu->addSeparator();
    const QStringList &names = props.shownNames();
    const QStringList &values = props.shownValues();
    const QPointer<DesignStage> guard(stage);
    for (qsizetype i = 0; i < names.size(); ++i) {
        auto *item =
            new CoverMenuItem(props.captionOf(names.at(i)), names.at(i), values.value(i), menu);
        QObject::connect(item, &QAction::triggered, item, [guard, item] {
            if (guard)
                chosen(guard, item);
        });
        menu->addAction(item);
    }
}

void coverMenuItemChosen(DesignStage *stage, SelectionList *selection, const CoverMenuItem *item)
{
    if (!stage->hasMenuClickListener() || !selection || !item)
        return;
    const SelectedComponents targets(selection->items());
    DesignChangeScope change(stage, QStringLiteral("Set ") + item->propName());
    QString value = item->value();
    emit stage->menuClicked(targets, item->propName(), value);
    int written = 0;
    try {
        PropertyConversions::writeToTargets(targets.items(), item->propName(), value,
                                            stage->classRegistry(), &written);
    } catch (const PropertyError &) {
        if (written > 0)
            selection->refreshTargets();
        throw;
    }
    selection->refreshTargets();
}

} // namespace CoverMenus

#include "designer/DsnCoverMenu.h"

#include "designer/DsnMultiProps.h"
#include "designer/DsnPropInfo.h"
#include "designer/DsnPropValue.h"
#include "designer/DsnStage.h"
#include "designer/DsnTargets.h"
#include "designer/DsnUnit.h"

#include <QMenu>
#include <QMessageBox>
#include <QPointer>

TDsnMenuItem::TDsnMenuItem(const QString &caption, const QString &propName,
                           const QString &value, QObject *parent)
    : QAction(QString(caption).replace(u'&', QStringLiteral("&&")), parent),
      m_propName(propName),
      m_value(value)
{
}

namespace DsnCoverMenu {
namespace {

// A menu choice is one user operation: its failure ends here, in a message.
void chosen(TDsnStage *stage, const TDsnMenuItem *item)
{
    TDsnRegister *dsnRegister = stage->Register();
    if (!dsnRegister || !dsnRegister->targets())
        return;
    try {
        CoverMenuClick(stage, dsnRegister->targets(), item);
    } catch (const PropertyError &error) {
        QMessageBox::critical(stage, QString(), error.message());
    }
}

} // namespace

void appendPropertyItems(QMenu *menu, TDsnStage *stage, const TTargetList &selection)
{
    const TContextProps props(stage->SelfProps, stage->OutProps, selection,
                              stage->classRegistry());
    if (!menu->isEmpty())
        menu->addSeparator();
    const QStringList &names = props.shownNames();
    const QStringList &values = props.shownValues();
    const QPointer<TDsnStage> guard(stage);
    for (qsizetype i = 0; i < names.size(); ++i) {
        auto *item = new TDsnMenuItem(props.captionOf(names.at(i)), names.at(i),
                                      values.value(i), menu);
        QObject::connect(item, &QAction::triggered, item, [guard, item] {
            if (guard)
                chosen(guard, item);
        });
        menu->addAction(item);
    }
}

void CoverMenuClick(TDsnStage *stage, TTargetList *selection, const TDsnMenuItem *item)
{
    if (!stage->OnMenuClick || !selection || !item)
        return;
    const TSelectedComponents targets(selection->items());
    QString value = item->value();
    stage->OnMenuClick(stage, targets, item->propName(), value);
    int written = 0;
    try {
        PropConversions::writeToTargets(targets.items(), item->propName(), value,
                                        stage->classRegistry(), &written);
    } catch (const PropertyError &) {
        if (written > 0)
            selection->Update();
        throw;
    }
    selection->Update();
}

} // namespace DsnCoverMenu

#include "designer/DsnControls.h"

#include "designer/DsnStage.h"

#include "model/mKomponents.h"

namespace DsnControls {

bool isWindowed(const QWidget *control)
{
    if (auto *report = qobject_cast<const TReportControl *>(control))
        return report->isWindowed();
    return true;
}

bool acceptsChildControls(const QWidget *control)
{
    return qobject_cast<const TDsnStage *>(control) || qobject_cast<const TmPage *>(control)
        || qobject_cast<const TBandBase *>(control) || qobject_cast<const TmBlock *>(control);
}

bool isStage(const QWidget *control)
{
    return qobject_cast<const TDsnStage *>(control) != nullptr;
}

ComponentOwner *ownerOf(const QWidget *control)
{
    if (auto *report = qobject_cast<const TReportControl *>(control))
        return report->owner();
    if (auto *stage = qobject_cast<const TDsnStage *>(control))
        return stage->owner();
    return nullptr;
}

} // namespace DsnControls

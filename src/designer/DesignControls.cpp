#include "designer/DesignControls.h"

#include "designer/DesignStage.h"
#include "designer/OutlineOverlay.h"
#include "designer/ResizeHandle.h"

#include "model/ReportClasses.h"

namespace DesignControls {

bool isWindowed(const QWidget *control)
{
    if (auto *report = qobject_cast<const ReportControl *>(control))
        return report->isWindowed();
    return true;
}

bool isPaintedByParent(const QWidget *control)
{
    auto *report = qobject_cast<const ReportControl *>(control);
    return report && report->isPaintedByParent();
}

void repaint(QWidget *control)
{
    if (auto *report = qobject_cast<ReportControl *>(control))
        report->refresh();
    else
        control->update();
}

bool acceptsChildControls(const QWidget *control)
{
    return qobject_cast<const DesignStage *>(control) || qobject_cast<const ReportPage *>(control)
           || qobject_cast<const BandBase *>(control) || qobject_cast<const BlockPanel *>(control);
}

bool isStage(const QWidget *control)
{
    return qobject_cast<const DesignStage *>(control) != nullptr;
}

bool isDesignerPart(const QWidget *widget)
{
    return qobject_cast<const ResizeHandle *>(widget)
           || qobject_cast<const OutlineOverlay *>(widget);
}

ComponentOwner *ownerOf(const QWidget *control)
{
    if (auto *report = qobject_cast<const ReportControl *>(control))
        return report->owner();
    if (auto *stage = qobject_cast<const DesignStage *>(control))
        return stage->owner();
    return nullptr;
}

bool isGoingAway(const QWidget *control)
{
    // While an object deletes its children, the entries of those already
    // gone (and of the one going) read as none.
    for (const QObject *object = control; object; object = object->parent()) {
        if (const QObject *parent = object->parent();
            parent && parent->children().contains(nullptr))
            return true;
    }
    return false;
}

QList<QWidget *> childControls(const QWidget *parent)
{
    QList<QWidget *> nonWindowed;
    QList<QWidget *> windowed;
    for (QObject *child : parent->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget || widget->isWindow() || isDesignerPart(widget))
            continue;
        (isWindowed(widget) ? windowed : nonWindowed).append(widget);
    }
    return nonWindowed + windowed;
}

void setBounds(QWidget *control, const QRect &bounds)
{
    if (auto *report = qobject_cast<ReportControl *>(control))
        report->setBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
    else
        control->setGeometry(bounds);
}

void setLeft(QWidget *control, int left)
{
    setBounds(control, QRect(left, control->y(), control->width(), control->height()));
}

void setTop(QWidget *control, int top)
{
    setBounds(control, QRect(control->x(), top, control->width(), control->height()));
}

} // namespace DesignControls

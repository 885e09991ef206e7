#include "designer/DsnSubGr.h"

#include "designer/DsnControls.h"
#include "designer/DsnCover.h"
#include "designer/DsnMessages.h"

#include <QPainter>

namespace {

constexpr int MarkSize = 6;

// A mark set shows through its control's (or, for a non-windowed control,
// its parent's) painting.
void repaintMarksOf(QWidget *control)
{
    if (!control || DsnControls::isGoingAway(control))
        return;
    if (DsnControls::isWindowed(control))
        control->update();
    else if (QWidget *parent = control->parentWidget())
        parent->update(control->geometry());
}

} // namespace

void paintMarks(QPainter &painter, const QPoint &origin, const QSize &size)
{
    const QColor grey(0x80, 0x80, 0x80);
    const int x = origin.x();
    const int y = origin.y();
    const int w = size.width();
    const int h = size.height();
    for (const QPoint &corner : {QPoint(x, y), QPoint(x + w - MarkSize, y),
                                 QPoint(x, y + h - MarkSize),
                                 QPoint(x + w - MarkSize, y + h - MarkSize)})
        painter.fillRect(QRect(corner, QSize(MarkSize, MarkSize)), grey);
}

THandlerGrRect::THandlerGrRect(QWidget *control) : THandlerSet(control)
{
    repaintMarksOf(control);
}

THandlerGrRect::~THandlerGrRect()
{
    repaintMarksOf(control());
}

void THandlerGrRect::Reposition()
{
    repaintMarksOf(control());
}

void TMultiGrHandler::Add(QWidget *control)
{
    if (ignores(control))
        return;
    if (count() >= 2) {
        appendSet(std::make_unique<THandlerGrRect>(control));
    } else if (count() == 1) {
        replaceSet(0, std::make_unique<THandlerGrRect>(set(0)->control()));
        appendSet(std::make_unique<THandlerGrRect>(control));
    } else {
        appendSet(CreateHandleSet(control));
    }
    announceAdded(control, false);
}

void TDsnGrRegister::SetDesigning(bool value)
{
    m_markPainter = false;
    TDsnMlRegister::SetDesigning(value);
}

void TDsnGrRegister::TargetAdded()
{
    m_markPainter = targets() && targets()->Count() >= 2;
}

std::unique_ptr<TMultiHandler> TDsnGrRegister::CreateHandler()
{
    return std::make_unique<TMultiGrHandler>();
}

TDsnCtrl *TDsnGrRegister::CreateCover(QWidget *control)
{
    return new TDsnGrCtrl(control, this);
}

void TDsnGrCtrl::afterPaint()
{
    TTargetList *selection = dsnRegister() ? dsnRegister()->targets() : nullptr;
    QWidget *covered = control();
    if (!selection || !covered)
        return;
    QPainter painter(covered);
    for (QObject *child : covered->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget && !DsnControls::isWindowed(widget) && selection->IndexOf(widget) >= 0)
            paintMarks(painter, widget->pos(), widget->size());
    }
    if (selection->IndexOf(covered) >= 0)
        paintMarks(painter, QPoint(0, 0), covered->size());
}

#include "model/ReportControl.h"

#include "model/ComponentOwner.h"
#include "model/ReportPage.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

namespace {

// Rounds a * b / c to the nearest integer, halves away from zero; the
// result saturates so that it can always be negated.
int mulDiv(int a, int b, int c)
{
    const long rounded = std::lround(static_cast<double>(a) * b / c);
    return static_cast<int>(std::clamp<long>(rounded, -INT_MAX, INT_MAX));
}

} // namespace

int FontRecord::pointSize(int ppi) const
{
    return -mulDiv(height, 72, ppi);
}

void FontRecord::setPointSize(int points, int ppi)
{
    height = -mulDiv(points, ppi, 72);
}

QFont FontRecord::toQFont(int zoom) const
{
    QFont font(name);
    const qint64 pixels = std::abs(qint64(height)) * zoom / 100;
    font.setPixelSize(int(std::clamp<qint64>(pixels, 1, qint64(MaxHeight) * 3)));
    if (pitch == 2)
        font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(pitch == 2);
    font.setBold(style & Bold);
    font.setItalic(style & Italic);
    font.setUnderline(style & Underline);
    font.setStrikeOut(style & StrikeOut);
    return font;
}

ReportControl::ReportControl(ComponentOwner *owner, QWidget *parent)
    : QWidget(parent), m_owner(owner)
{
    if (m_owner)
        m_owner->insertComponent(this);
}

ReportControl::~ReportControl()
{
    if (m_owner)
        m_owner->removeComponent(this);
}

ReportPage *ReportControl::page() const
{
    for (QObject *object = const_cast<ReportControl *>(this); object; object = object->parent()) {
        if (auto *page = qobject_cast<ReportPage *>(object))
            return page;
    }
    return nullptr;
}

void ReportControl::setColor(qint64 color)
{
    if (m_color == color)
        return;
    m_color = color;
    refresh();
}

bool ReportControl::hasParentFontSource() const
{
    return qobject_cast<const ReportControl *>(parentWidget()) != nullptr;
}

FontRecord ReportControl::fontRecord() const
{
    if (m_parentFont) {
        if (auto *parent = qobject_cast<const ReportControl *>(parentWidget()))
            return parent->fontRecord();
    }
    return m_font;
}

void ReportControl::setFontRecord(const FontRecord &font)
{
    m_font = font;
    // A crafted size would make a character cell of almost nothing, and
    // the page's ruler a line for every pixel.
    m_font.height = std::clamp(font.height, -FontRecord::MaxHeight, FontRecord::MaxHeight);
    m_parentFont = false;
    fontChanged();
}

void ReportControl::setParentFont(bool parentFont)
{
    if (m_parentFont == parentFont)
        return;
    if (!parentFont)
        m_font = fontRecord();
    m_parentFont = parentFont;
    fontChanged();
}

void ReportControl::fontChanged()
{
    refresh();
    for (QObject *child : children()) {
        auto *control = qobject_cast<ReportControl *>(child);
        if (control && control->parentFont())
            control->fontChanged();
    }
}

void ReportControl::setBounds(int left, int top, int width, int height)
{
    setWidgetGeometry(QRect(left, top, std::max(0, width), std::max(0, height)));
}

bool ReportControl::isPaintedByParent() const
{
    return m_parentPaints && qobject_cast<const ReportControl *>(parentWidget());
}

void ReportControl::letParentPaint()
{
    m_parentPaints = true;
    if (isPaintedByParent())
        QWidget::setVisible(false);
}

void ReportControl::setVisible(bool visible)
{
    if (!isPaintedByParent()) {
        QWidget::setVisible(visible);
        return;
    }
    QWidget::setVisible(false);
    refresh();
}

void ReportControl::refresh()
{
    if (isPaintedByParent())
        parentWidget()->update(geometry());
    else
        update();
}

void ReportControl::setWidgetGeometry(const QRect &bounds)
{
    const QRect before = geometry();
    QWidget::setGeometry(bounds);
    if (!isPaintedByParent() || geometry() == before)
        return;
    parentWidget()->update(before);
    parentWidget()->update(geometry());
}

void ReportControl::paintChildFaces(const QRect &exposed)
{
    std::optional<QPainter> painter;
    for (QObject *child : children()) {
        auto *control = qobject_cast<ReportControl *>(child);
        if (!control || !control->m_parentPaints || !exposed.intersects(control->geometry()))
            continue;
        if (!painter)
            painter.emplace(this);
        painter->save();
        painter->translate(control->pos());
        painter->setClipRect(control->rect());
        control->paintFace(*painter);
        painter->restore();
    }
}

void ReportControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintFace(painter);
}

bool ReportControl::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Paint: {
        const bool handled = QWidget::event(event);
        paintChildFaces(static_cast<QPaintEvent *>(event)->rect());
        return handled;
    }
    case QEvent::ParentAboutToChange:
    case QEvent::ZOrderChange:
        if (isPaintedByParent())
            refresh();
        break;
    case QEvent::ParentChange:
        if (isPaintedByParent()) {
            QWidget::setVisible(false);
            refresh();
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void ReportControl::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ParentChange && m_parentFont)
        fontChanged();
    QWidget::changeEvent(event);
}

#include "designer/DesignRegister.h"

#include "designer/ComponentPalette.h"
#include "designer/Cover.h"
#include "designer/DesignControls.h"
#include "designer/DesignPartner.h"
#include "designer/DesignStage.h"
#include "designer/InspectorBase.h"
#include "designer/MarkerManager.h"
#include "designer/Outline.h"
#include "designer/OutlineOverlay.h"
#include "designer/ResizeHandle.h"

#include <QMenu>

#include <algorithm>

QColor colorOfValue(qint64 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

DesignRegister::DesignRegister(ComponentOwner *owner, QObject *parent)
    : QObject(parent), m_owner(owner)
{
}

DesignRegister::~DesignRegister()
{
    m_shape.reset();
    m_handler.reset();
    // Released covers leave their controls alone: those may be going too.
    for (Cover *cover : std::as_const(m_covers)) {
        cover->release();
        delete cover;
    }
    m_covers.clear();
    m_coverOf.clear();
    if (m_targets)
        m_targets->clearTargets();
    m_collector.reset();
    m_targets.reset();
    for (DesignPartner *partner : std::as_const(m_partners))
        partner->registerDestroyed(this);
    if (m_stage && m_stage->designRegister() == this)
        m_stage->setRegister(nullptr);
}

DesignStage *DesignRegister::stage() const
{
    return m_stage.data();
}

void DesignRegister::setStage(DesignStage *stage)
{
    m_stage = stage;
    if (!stage)
        return;
    m_moveWidth = stage->rubberBand.moveWidth;
    m_moveHeight = stage->rubberBand.moveHeight;
    m_color = stage->rubberBand.color;
    m_penWidth = stage->rubberBand.penWidth;
    stage->setRegister(this);
}

PaletteBase *DesignRegister::palette() const
{
    return m_palette.data();
}

void DesignRegister::setPalette(PaletteBase *palette)
{
    m_palette = palette;
}

InspectorBase *DesignRegister::inspector() const
{
    return m_inspector.data();
}

void DesignRegister::setInspector(InspectorBase *inspector)
{
    m_inspector = inspector;
}

ArrowButton *DesignRegister::arrowButton() const
{
    return m_arrow.data();
}

void DesignRegister::setArrowButton(ArrowButton *button)
{
    m_arrow = button;
}

QColor DesignRegister::outlineColor() const
{
    return colorOfValue(m_color);
}

void DesignRegister::setDesigning(bool value)
{
    if (value == m_designing)
        return;
    m_designing = value;
    m_paintsMarks = false;
    const QList<DesignPartner *> partners = m_partners;
    for (DesignPartner *partner : partners)
        partner->designChanged(value);
    if (value) {
        if (m_stage) {
            m_stage->setRegister(this);
            coverAll();
            buildCoverMenu();
            m_stage->setFocus();
        }
        if (m_palette) {
            if (m_arrow) {
                m_palette->setArrow(m_arrow);
                m_arrow->setPalette(m_palette);
            }
            m_palette->setDesigning(true);
        }
        if (m_inspector) {
            m_inspector->setDesigning(true);
            if (m_stage)
                m_inspector->setStageWindow(m_stage);
        }
        return;
    }
    m_shape.reset();
    m_rubberBand.reset();
    if (m_stage) {
        uncoverAll();
        m_stage->designEnded();
    }
    restoreCoverMenu();
    if (m_palette) {
        m_palette->setDesigning(false);
        m_palette->setCurrent(nullptr);
    }
    if (m_inspector)
        m_inspector->setDesigning(false);
    m_collector.reset();
    m_handler.reset();
    m_targets.reset();
}

void DesignRegister::createSelectionList()
{
    m_targets = std::make_unique<SelectionList>();
    m_handler.reset();
    m_collector.reset();
    if (m_stage) {
        m_handler = std::make_unique<MarkerManager>();
        HandleSettings settings = m_handler->settings();
        settings.outlineColor = outlineColor();
        settings.outlinePenWidth = m_penWidth;
        settings.stepX = m_moveWidth;
        settings.stepY = m_moveHeight;
        settings.overlay = m_stage->outlineOverlay();
        m_handler->setSettings(settings);
        m_handler->listenTo(m_targets.get());
    }
    if (m_inspector) {
        m_collector = m_inspector->createCollector();
        if (m_collector) {
            m_collector->listenTo(m_targets.get());
            m_collector->bind(m_inspector);
            QStringList names;
            QStringList captions;
            m_inspector->propertyLists(names, captions);
            m_collector->load(names, captions, m_inspector->excludedProperties());
        }
    }
    for (SelectionReceiver *receiver : std::as_const(m_receivers))
        receiver->listenTo(m_targets.get());
    // Last, as before: the register hears of every selected control's end.
    connect(m_targets.get(), &SelectionList::targetAdded, this, &DesignRegister::watch);
}

SelectionList *DesignRegister::ensureSelectionList()
{
    if (!m_targets)
        createSelectionList();
    return m_targets.get();
}

std::unique_ptr<OutlineGroup> DesignRegister::createShape(const QColor &color, int penWidth)
{
    return std::make_unique<OutlineGroup>(m_stage ? m_stage->outlineOverlay() : nullptr, color,
                                          penWidth);
}

void DesignRegister::renewShape(const QColor &color, int penWidth)
{
    m_shape.reset();
    m_shape = createShape(color, penWidth);
}

bool DesignRegister::sameParent() const
{
    if (!m_targets)
        return true;
    const QWidget *parent = nullptr;
    bool first = true;
    for (const QWidget *control : m_targets->items()) {
        if (!control)
            continue;
        if (first) {
            parent = control->parentWidget();
            first = false;
        } else if (control->parentWidget() != parent) {
            return false;
        }
    }
    return true;
}

QPoint DesignRegister::snapPoint(const QPoint &point) const
{
    QPoint snapped = point;
    if (m_moveWidth > 0)
        snapped.setX(m_moveWidth * (point.x() / m_moveWidth));
    if (m_moveHeight > 0)
        snapped.setY(m_moveHeight * (point.y() / m_moveHeight));
    return snapped;
}

SelectAnswer DesignRegister::askSelect(QObject *sender, QWidget *component) const
{
    return m_stage ? m_stage->policy().selectAnswer(sender, component) : AllSelectFlags;
}

CoverAnswer DesignRegister::askCover(QWidget *component) const
{
    return m_stage ? m_stage->policy().coverAnswer(component) : caCover;
}

void DesignRegister::clearSelection()
{
    if (!m_targets)
        return;
    m_targets->clearTargets();
    m_targets->refreshTargets();
}

void DesignRegister::addPartner(DesignPartner *partner)
{
    if (partner && !m_partners.contains(partner))
        m_partners.append(partner);
}

void DesignRegister::removePartner(DesignPartner *partner)
{
    m_partners.removeOne(partner);
}

void DesignRegister::addReceiver(SelectionReceiver *receiver)
{
    if (receiver && !m_receivers.contains(receiver))
        m_receivers.append(receiver);
}

void DesignRegister::removeReceiver(SelectionReceiver *receiver)
{
    m_receivers.removeOne(receiver);
    if (receiver)
        receiver->stopListening(m_targets.get());
}

bool DesignRegister::canSelectControl(QWidget *control)
{
    if (!m_stage || !control)
        return false;
    bool onStage = false;
    for (QWidget *parent = control->parentWidget(); parent; parent = parent->parentWidget()) {
        if (parent == m_stage) {
            onStage = true;
            break;
        }
        if (parent->isWindow())
            break;
    }
    if (!onStage)
        return false;
    QWidget *covered = DesignControls::isWindowed(control) ? control : control->parentWidget();
    if (askCover(covered) != caCover)
        return false;
    return askSelect(this, control).testFlag(saSelect);
}

void DesignRegister::selectOnly(QWidget *control)
{
    ensureSelectionList();
    m_targets->clearTargets();
    m_targets->addTarget(control);
    m_targets->refreshTargets();
}

void DesignRegister::targetsMoved(int, int)
{
    if (m_collector)
        m_collector->recollect();
}

void DesignRegister::targetsResized(const QRect &)
{
    if (m_collector) {
        m_collector->recollect();
        m_collector->refreshTargets();
    }
    closeGestureChange(describe(QStringLiteral("Resize")));
}

QList<QWidget *> DesignRegister::selectedControls() const
{
    QList<QWidget *> controls;
    if (m_targets) {
        for (QWidget *control : m_targets->items()) {
            if (control)
                controls.append(control);
        }
    }
    return controls;
}

QString DesignRegister::describe(const QString &verb) const
{
    const QList<QWidget *> controls = selectedControls();
    if (controls.size() == 1)
        return verb + u' ' + controls.constFirst()->objectName();
    return QStringLiteral("%1 %2 Items").arg(verb).arg(controls.size());
}

void DesignRegister::targetAdded()
{
    m_paintsMarks = m_targets && m_targets->count() >= 2;
}

void DesignRegister::watch(QObject *component)
{
    connect(component, &QObject::destroyed, this, &DesignRegister::componentDestroyed,
            Qt::UniqueConnection);
}

void DesignRegister::componentDestroyed(QObject *component)
{
    if (Cover *cover = m_coverOf.take(component)) {
        cover->release();
        m_covers.removeOne(cover);
        if (cover == m_lastCover)
            m_lastCover = nullptr;
        cover->scheduleRelease(m_stage);
    }
    if (!m_targets)
        return;
    const int index = int(m_targets->items().indexOf(static_cast<QWidget *>(component)));
    if (index < 0)
        return;
    m_targets->forgetTarget(index);
    const QList<QWidget *> &rest = m_targets->items();
    if (std::any_of(rest.begin(), rest.end(), [](QWidget *control) {
            return control && DesignControls::isGoingAway(control);
        })) {
        // A parent is taking its children along: what is left goes too, and
        // no handles may be made for it on the way.
        m_targets->clearTargets();
        m_targets->refreshTargets();
        return;
    }
    m_targets->removeTarget(index);
    if (!sameParent())
        m_targets->clearTargets();
    m_targets->refreshTargets();
}

void DesignRegister::buildCoverMenu()
{
    if (!m_stage || (!m_stage->coverMenu && m_stage->selfProperties.isEmpty()))
        return;
    m_coverMenu = new QMenu(m_stage);
    m_borrowed = 0;
    if (QMenu *borrowed = m_stage->coverMenu) {
        const QList<QAction *> actions = borrowed->actions();
        for (QAction *action : actions) {
            borrowed->removeAction(action);
            m_coverMenu->addAction(action);
        }
        m_borrowed = int(actions.size());
    }
}

void DesignRegister::restoreCoverMenu()
{
    if (!m_coverMenu)
        return;
    if (m_stage && m_stage->coverMenu) {
        const QList<QAction *> actions = m_coverMenu->actions().mid(0, m_borrowed);
        for (QAction *action : actions) {
            m_coverMenu->removeAction(action);
            m_stage->coverMenu->addAction(action);
        }
    }
    delete m_coverMenu.data();
    m_borrowed = 0;
}

#pragma once

#include "designer/DesignQueries.h"
#include "designer/SelectionList.h"
#include "designer/ShiftState.h"

#include <QColor>
#include <QHash>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <memory>

class ComponentOwner;
class QMenu;
struct ReaderHooks;
class ArrowButton;
class PaletteBase;
class InspectorBase;
class Cover;
class DesignPartner;
class DesignStage;
class MarkerManager;
class OutlineGroup;
class PropertyCollector;

// The design register: switches a stage into design mode and out of it,
// covers its controls, keeps the selection, turns the covers' mouse input
// into selection, moves, resizes, rubber-band selection and creation, and
// carries out delete, cut, copy and paste, asking the stage's policy for
// permission. One selected control gets eight handles; several get grey
// corner marks that the covers paint.
class DesignRegister : public QObject
{
    Q_OBJECT

public:
    explicit DesignRegister(ComponentOwner *owner, QObject *parent = nullptr);
    ~DesignRegister() override;

    ComponentOwner *owner() const { return m_owner; }

    DesignStage *stage() const;
    void setStage(DesignStage *stage);
    PaletteBase *palette() const;
    void setPalette(PaletteBase *palette);
    InspectorBase *inspector() const;
    void setInspector(InspectorBase *inspector);
    ArrowButton *arrowButton() const;
    void setArrowButton(ArrowButton *button);

    bool designing() const { return m_designing; }
    void setDesigning(bool value);

    bool canCopy() const;
    bool canPaste() const;
    void cutSelected();
    void copySelected();
    // Throws StreamError when the clipboard's stream cannot be read.
    void pasteFromClipboard();
    void deleteSelected();
    void clearSelection();

    void addPartner(DesignPartner *partner);
    void removePartner(DesignPartner *partner);
    // receiver is linked to every selection list made from now on.
    void addReceiver(SelectionReceiver *receiver);
    void removeReceiver(SelectionReceiver *receiver);

    bool canSelectControl(QWidget *control);
    void selectOnly(QWidget *control);

    // The selection list, or none before the first need in design mode.
    SelectionList *targets() const { return m_targets.get(); }
    SelectionList *ensureSelectionList();
    bool sameParent() const;
    QPoint snapPoint(const QPoint &point) const;
    MarkerManager *handler() const { return m_handler.get(); }
    PropertyCollector *collector() const { return m_collector.get(); }
    const QList<Cover *> &covers() const { return m_covers; }
    Cover *coverOf(const QWidget *control) const;
    // Whether covers paint the grey marks of several selected controls.
    bool paintsMarks() const { return m_paintsMarks; }
    // Whether a gesture runs (an outline exists).
    bool hasShape() const { return m_shape != nullptr; }

    // Called by the covers.
    void controlMouseDown(QWidget *control, QWidget *hitControl, const QPoint &pos,
                          ShiftState shift);
    void controlMouseMove(QWidget *control, const QPoint &pos, ShiftState shift);
    void controlMouseUp(QWidget *control, const QPoint &pos, ShiftState shift);
    void coverDoubleClicked(QWidget *hitControl);
    void coverRightClicked(QWidget *control, QWidget *hitControl, int x, int y);
    void targetsResized(const QRect &oldBounds);
    void targetsMoved(int dx, int dy);
    // A control joined the selection: marks are painted from two on.
    void targetAdded();
    // A resize handle was pressed: the resize is one change until its release.
    void beginResize();

    // Keyboard and alignment commands on the selection, each one change.
    // Moves (or resizes) the selection by steps of the grid.
    bool nudgeSelection(int stepsX, int stepsY, bool resize);
    // Selects every component placed on the stage's top-level containers.
    void selectAll();
    enum class Alignment { Left, Right, Top, Bottom, SameWidth, SameHeight };
    // Lines two or more selected controls up with the first selected one.
    bool alignSelection(Alignment alignment);

    // Covers control and, as the stage's cover answer allows, its descendants.
    void coverControl(QWidget *control);
    // CoverRecreated: a released cover is freed, another re-attached.
    void coverRecreated(Cover *cover);

private:
    std::unique_ptr<OutlineGroup> createShape(const QColor &color, int penWidth);
    void renewShape(const QColor &color, int penWidth);
    void createSelectionList();
    void coverAll();
    void uncoverAll();

    void beginCreate(QWidget *control, QWidget *hitControl, const QPoint &pos, ShiftState shift);
    void dragCreate(QWidget *control, const QPoint &pos, ShiftState shift);
    void endCreate(QWidget *control, const QPoint &pos, ShiftState shift);
    void beginMove(QWidget *control, QWidget *hitControl, const QPoint &pos, ShiftState shift);
    void dragMove(QWidget *control, const QPoint &pos, ShiftState shift);
    void endMove(QWidget *control, const QPoint &pos, ShiftState shift);
    void rightSelect(QWidget *control, QWidget *hitControl, int x, int y);
    QWidget *pasteParent() const;
    void controlRead(QWidget *control);
    void nameControl(QWidget *component);
    // A clone of the template as a child of parent; none when it failed.
    QWidget *cloneTemplate(QWidget *templateControl, QWidget *parent);
    void buildCoverMenu();
    void restoreCoverMenu();

    // A drag with Ctrl held, or one started on the stage, selects the
    // children of the container it touches.
    void beginRubberBand(QWidget *control, const QPoint &pos);
    void dragRubberBand(QWidget *control, const QPoint &pos);
    void endRubberBand(QWidget *control, const QPoint &pos);

    bool templateCurrent() const;
    // A gesture is one change from the press to the release.
    void openGestureChange();
    void closeGestureChange(const QString &text);
    // "Move mText1", or "Move 3 Items".
    QString describe(const QString &verb) const;
    QList<QWidget *> selectedControls() const;
    SelectAnswer askSelect(QObject *sender, QWidget *component) const;
    CoverAnswer askCover(QWidget *component) const;
    void setGestureContainer(QWidget *control, QWidget *hitControl);
    // Step 5 of a press: which controls a press on hitControl selects.
    void pressSelect(QWidget *hitControl);
    // The container and the position in it that a creation or rubber band
    // starting on control at pos uses.
    QPoint containerPoint(QWidget *control, const QPoint &pos);
    QPoint toContainer(QWidget *control, const QPoint &point) const;
    void finishLeftoverShape();
    QColor outlineColor() const;
    void watch(QObject *component);
    void coverTree(QWidget *control);
    void componentDestroyed(QObject *component);
    void postCreated(QWidget *component);
    ReaderHooks creationHooks();
    void stepAsideFrom(const QList<QWidget *> &pasted, const QObjectList &siblings);
    void placePasted(QWidget *control);
    QString clashFreeName(QWidget *component, const QString &proposed) const;
    // New names are made from the class name files store ("TmText" gives "mText1").
    QString storedClassName(const QWidget *component) const;

    ComponentOwner *m_owner;
    QPointer<DesignStage> m_stage;
    QPointer<PaletteBase> m_palette;
    QPointer<InspectorBase> m_inspector;
    QPointer<ArrowButton> m_arrow;
    bool m_designing = false;
    bool m_paintsMarks = false;
    bool m_gestureChangeOpen = false;

    QList<Cover *> m_covers;
    // Each covered control's cover: a lookup per control keeps covering and
    // deleting thousands of controls linear.
    QHash<const QObject *, Cover *> m_coverOf;
    Cover *m_lastCover = nullptr;
    std::unique_ptr<SelectionList> m_targets;
    QList<DesignPartner *> m_partners;
    QList<SelectionReceiver *> m_receivers;

    qint64 m_color = 0x808080;
    int m_penWidth = 2;
    int m_moveWidth = 8;
    int m_moveHeight = 8;

    QPointer<QWidget> m_container;
    QPoint m_start;
    QPointer<QWidget> m_newControl;
    std::unique_ptr<MarkerManager> m_handler;
    std::unique_ptr<OutlineGroup> m_shape;
    std::unique_ptr<OutlineGroup> m_rubberBand;
    std::unique_ptr<PropertyCollector> m_collector;
    QPointer<QMenu> m_coverMenu;
    int m_borrowed = 0;
};

// A 0x00BBGGRR colour value as a QColor.
QColor colorOfValue(qint64 value);

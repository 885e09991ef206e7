#pragma once

#include "designer/InspectorBase.h"
#include "designer/SelectionList.h"
#include "designer/StandardRows.h"

#include <QPixmap>
#include <QPointer>

#include <functional>
#include <memory>

class ClassRegistry;
class InspectorPlacement;
class InspectorWindow;
class MultiProperties;

// Window bounds of the inspector when it opens.
struct InspectorBounds
{
    int left = 15;
    int top = 50;
    int width = 230;
    int height = 400;
};

// Initial widths of the caption and value columns; the captions are kept
// with the settings but the window shows its own.
struct GridCaptions
{
    int propertyWidth = 80;
    int valueWidth = 100;
    QString propertyCaption = QStringLiteral("Properties");
    QString valueCaption = QStringLiteral("Values");
};

// Kept with the settings; the window has no help button.
struct InspectorHelpButton
{
    bool visible = false;
    int helpContext = 0;
    QString caption;
};

// The object inspector of a register: lists the configured properties of
// the selected controls in a tool window and writes typed or picked values
// back to all of them. Properties named in buttonProperties are edited by the
// owner (buttonClicked) instead of by typing.
class ObjectInspector : public InspectorBase
{
    Q_OBJECT

public:
    explicit ObjectInspector(QObject *parent = nullptr);
    ~ObjectInspector() override;

    QStringList selfProperties() const { return m_selfProperties; }
    void setSelfProperties(const QStringList &lines) { m_selfProperties = lines; }
    QStringList buttonProperties() const { return m_buttonProperties; }
    void setButtonProperties(const QStringList &names) { m_buttonProperties = names; }
    QStringList excludedProperties() const override { return m_excludedProperties; }
    void setExcludedProperties(const QStringList &names) { m_excludedProperties = names; }
    StandardRows standardRows() const { return m_standardRows; }
    void setStandardRows(const StandardRows &showProps) { m_standardRows = showProps; }
    bool showsCombo() const { return m_showCombo; }
    void setShowsCombo(bool show) { m_showCombo = show; }
    bool staysOnTop() const { return m_stayOnTop; }
    void setStaysOnTop(bool stayOnTop) { m_stayOnTop = stayOnTop; }
    InspectorBounds position() const { return m_position; }
    void setPosition(const InspectorBounds &position) { m_position = position; }
    QPixmap buttonGlyph() const { return m_buttonGlyph; }
    void setButtonGlyph(const QPixmap &glyph) { m_buttonGlyph = glyph; }
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption) { m_caption = caption; }
    GridCaptions gridCaptions() const { return m_grid; }
    void setGridCaptions(const GridCaptions &grid) { m_grid = grid; }
    InspectorHelpButton helpButton() const { return m_helpButton; }
    void setHelpButton(const InspectorHelpButton &helpButton) { m_helpButton = helpButton; }

    // The classes whose property tables describe the targets.
    void setClassRegistry(const ClassRegistry &registry) { m_registry = &registry; }
    const ClassRegistry &classRegistry() const { return *m_registry; }

    // How a value the user typed but that cannot be written is reported;
    // a message box by default.
    void setErrorHandler(std::function<void(const QString &message)> handler);
    void reportError(const QString &message);

    void openWindow() override;
    void closeWindow() override;
    void applyValue(const QString &propName, const QString &value) override;
    void buttonClick(const QString &propName, QString &value) override;
    void refreshGrid() override;
    // The values of the targets again, after they changed elsewhere.
    void refreshValues();
    void propertyLists(QStringList &names, QStringList &captions) const override;
    std::unique_ptr<PropertyCollector> createCollector() override;
    void setWindowBounds(int left, int top, int width, int height);
    // The place the window opens at and keeps, in place of position().
    void setPlacement(std::shared_ptr<InspectorPlacement> placement);
    // Whether the window may show: a frame with several designs shows only
    // the inspector of the active one. Allowed by default.
    void setWindowAllowed(bool allowed);
    bool windowAllowed() const { return m_windowAllowed; }

    // The controls the inspector shows, in selection order.
    QList<QWidget *> targets() const;
    InspectorWindow *window() const;
    // Whether anything listens to buttonClicked: the value button acts only then.
    bool hasButtonListener() const;

signals:
    // A button property's button was pressed; a listener may change value,
    // which the inspector then writes to every target.
    void buttonClicked(const SelectedComponents &targets, const QString &propName, QString &value);

private:
    MultiProperties *multiProps() const;
    QWidget *windowParent() const;
    // The width the caption column needs for the longest caption.
    int widestCaption() const;
    void showWindow();

    QStringList m_selfProperties;
    QStringList m_buttonProperties;
    QStringList m_excludedProperties;
    StandardRows m_standardRows;
    bool m_showCombo = false;
    bool m_stayOnTop = false;
    InspectorBounds m_position;
    QPixmap m_buttonGlyph;
    QString m_caption = QStringLiteral("Object Inspector");
    GridCaptions m_grid;
    InspectorHelpButton m_helpButton;
    const ClassRegistry *m_registry;
    std::function<void(const QString &)> m_errorHandler;
    QPointer<InspectorWindow> m_window;
    std::shared_ptr<InspectorPlacement> m_placement;
    bool m_windowAllowed = true;
};

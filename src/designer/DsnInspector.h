#pragma once

#include "designer/DsnInspectorBase.h"
#include "designer/DsnPropLists.h"
#include "designer/DsnQueries.h"

#include <QPixmap>
#include <QPointer>

#include <functional>

class ClassRegistry;
class TInspectorFm;
class TMultiProps;

// Window bounds of the inspector when it opens.
struct TInspectorPos
{
    int Left = 15;
    int Top = 50;
    int Width = 230;
    int Height = 400;
};

// Initial widths of the caption and value columns; the captions are kept
// with the settings but the window shows its own.
struct TGridCp
{
    int PropWid = 80;
    int ValueWid = 100;
    QString PropCp = QStringLiteral("Properties");
    QString ValueCp = QStringLiteral("Values");
};

// Kept with the settings; the window has no help button.
struct TInspctHlpBtn
{
    bool Visible = false;
    int HelpContext = 0;
    QString Caption;
};

// The object inspector of a register: lists the configured properties of
// the selected controls in a tool window and writes typed or picked values
// back to all of them. Properties named in BtnProps are edited by the
// owner (OnBtnClick) instead of by typing.
class TDsnInspector : public TCustomInspector
{
    Q_OBJECT

public:
    explicit TDsnInspector(QObject *parent = nullptr);
    ~TDsnInspector() override;

    QStringList SelfProps() const { return m_selfProps; }
    void setSelfProps(const QStringList &lines) { m_selfProps = lines; }
    QStringList BtnProps() const { return m_btnProps; }
    void setBtnProps(const QStringList &names) { m_btnProps = names; }
    QStringList OutProps() const override { return m_outProps; }
    void setOutProps(const QStringList &names) { m_outProps = names; }
    TShowProps ShowProps() const { return m_showProps; }
    void setShowProps(const TShowProps &showProps) { m_showProps = showProps; }
    bool ShowCombo() const { return m_showCombo; }
    void setShowCombo(bool show) { m_showCombo = show; }
    bool StayOnTop() const { return m_stayOnTop; }
    void setStayOnTop(bool stayOnTop) { m_stayOnTop = stayOnTop; }
    TInspectorPos Position() const { return m_position; }
    void setPosition(const TInspectorPos &position) { m_position = position; }
    QPixmap BtnGlyph() const { return m_btnGlyph; }
    void setBtnGlyph(const QPixmap &glyph) { m_btnGlyph = glyph; }
    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption) { m_caption = caption; }
    TGridCp Grid() const { return m_grid; }
    void setGrid(const TGridCp &grid) { m_grid = grid; }
    TInspctHlpBtn HelpButton() const { return m_helpButton; }
    void setHelpButton(const TInspctHlpBtn &helpButton) { m_helpButton = helpButton; }

    TCallPropEditor OnBtnClick;

    // The classes whose property tables describe the targets.
    void setClassRegistry(const ClassRegistry &registry) { m_registry = &registry; }
    const ClassRegistry &classRegistry() const { return *m_registry; }

    // How a value the user typed but that cannot be written is reported;
    // a message box by default.
    void setErrorHandler(std::function<void(const QString &message)> handler);
    void reportError(const QString &message);

    void OpenWindow() override;
    void CloseWindow() override;
    void ApplyValue(const QString &propName, const QString &value) override;
    void ButtonClick(const QString &propName, QString &value) override;
    void RefreshGrid() override;
    void GetPropLists(QStringList &names, QStringList &captions) const override;
    std::unique_ptr<TPropertyCollector> CreateCollector() override;
    void SetWindowBounds(int left, int top, int width, int height);

    // The controls the inspector shows, in selection order.
    QList<QWidget *> targets() const;
    TInspectorFm *window() const;

private:
    TMultiProps *multiProps() const;
    QWidget *windowParent() const;

    QStringList m_selfProps;
    QStringList m_btnProps;
    QStringList m_outProps;
    TShowProps m_showProps;
    bool m_showCombo = false;
    bool m_stayOnTop = false;
    TInspectorPos m_position;
    QPixmap m_btnGlyph;
    QString m_caption = QStringLiteral("Object Inspector");
    TGridCp m_grid;
    TInspctHlpBtn m_helpButton;
    const ClassRegistry *m_registry;
    std::function<void(const QString &)> m_errorHandler;
    QPointer<TInspectorFm> m_window;
};

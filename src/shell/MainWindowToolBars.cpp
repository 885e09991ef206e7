#include "shell/MainWindow.h"

#include "shell/ShellGlyphs.h"

#include "designer/ComponentPalette.h"
#include "designer/ComponentTemplates.h"
#include "model/ComponentOwner.h"

#include <QMenu>
#include <QToolBar>

namespace {

QToolBar *toolBar(QMainWindow *frame, const QString &name, const QString &caption)
{
    QToolBar *bar = frame->addToolBar(caption);
    bar->setObjectName(name);
    bar->setIconSize(QSize(24, 24));
    return bar;
}

} // namespace

void MainWindow::createToolBars()
{
    m_mainToolBar = toolBar(this, QStringLiteral("ToolBar1"), QStringLiteral("Main Tool Bar"));
    addToolButton(m_mainToolBar, "NewReportButton", ShellGlyphs::newReport(), "New Report",
                  &MainWindow::newReportTriggered, Needs::Nothing);
    addToolButton(m_mainToolBar, "OpenReportButton", ShellGlyphs::openReport(), "Open Report",
                  &MainWindow::openReportTriggered, Needs::Nothing);
    m_mainToolBar->addSeparator();
    addToolButton(m_mainToolBar, "CloseApplicationButton", ShellGlyphs::closeApplication(),
                  "Close Application", &MainWindow::exitTriggered, Needs::Nothing);

    // The Align menu's own commands, with pictures.
    m_alignToolBar = toolBar(this, QStringLiteral("AlignToolBar"), QStringLiteral("Align"));
    const QList<QPair<QString, QString>> edges{
        {"AlignLeftMenu", "left"},     {"AlignRightMenu", "right"}, {"AlignTopMenu", "top"},
        {"AlignBottomMenu", "bottom"}, {"SameWidthMenu", "width"},  {"SameHeightMenu", "height"}};
    for (const auto &[name, edge] : edges) {
        if (QAction *action = m_alignMenu->findChild<QAction *>(name)) {
            action->setIcon(ShellGlyphs::alignment(edge));
            m_alignToolBar->addAction(action);
        }
    }

    m_paletteToolBar =
        toolBar(this, QStringLiteral("DsnPanel1Bar"), QStringLiteral("Component Palette"));

    m_sourceToolBar =
        toolBar(this, QStringLiteral("SourceToolBar"), QStringLiteral("Edit Tool Bar"));
    addToolButton(m_sourceToolBar, "SaveButton", ShellGlyphs::saveSource(), "Save Source",
                  &MainWindow::saveTriggered, Needs::ReportWindow);
    addToolButton(m_sourceToolBar, "PrintButton", ShellGlyphs::printSource(), "Print Source",
                  &MainWindow::printSourceTriggered, Needs::ReportWindow);
    addToolButton(m_sourceToolBar, "FindButton", ShellGlyphs::find(), "",
                  &MainWindow::findTriggered, Needs::ReportWindow);
}

QAction *MainWindow::addToolButton(QToolBar *bar, const char *name, const QIcon &icon,
                                   const char *hint, Handler handler, Needs needs)
{
    // Tool buttons have actions of their own: their hints are not the menu
    // captions, and they carry no shortcut.
    QAction *action = bar->addAction(icon, QString());
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(QString::fromLatin1(hint));
    connectCommand(action, handler, needs);
    return action;
}

void MainWindow::createPalette()
{
    // The templates live in a panel outside the visible area; the palette
    // finds them by name through the frame's component owner.
    m_templateHolder = ComponentTemplates::createTemplateHolder(*m_templates, this);

    m_palette = new ComponentPalette(m_templates.get());
    m_palette->setObjectName(QStringLiteral("DsnPanel1"));
    ComponentTemplates::buildReportPalette(*m_palette);
    if (PaletteButton *text = m_palette->buttons().value(0))
        text->setChecked(true);
    m_palette->setFixedSize(172, 29);
    m_paletteToolBar->addWidget(m_palette);
}

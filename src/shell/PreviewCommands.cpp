#include "shell/MainWindow.h"

#include "shell/DataSourceDialog.h"
#include "shell/ParametersDialog.h"
#include "shell/PreviewSettings.h"
#include "shell/Settings.h"

#include "windows/ShowMessage.h"

// The preview's commands: run it, choose its data source, save its pages.

void MainWindow::previewReportTriggered()
{
    if (ReportWindow *window = activeReportWindow())
        window->previewReport();
}

void MainWindow::dataSourceTriggered()
{
    ReportWindow *window = activeReportWindow();
    if (!window)
        return;
    const QString key = window->previewKey();
    DataSourceDialog dialog(PreviewSettings::dataSource(key), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString reason;
    if (!PreviewSettings::setDataSource(key, dialog.dataSource(), &reason)) {
        showMessage(this, Settings::writeErrorMessage(reason));
        return;
    }
    window->previewSettingsChanged();
}

void MainWindow::savePreviewAsTriggered()
{
    ReportWindow *window = activeReportWindow();
    if (!window)
        return;
    const QString path = askFile(FileDialogs::savePreviewDialog());
    if (!path.isEmpty() && window->savePreviewText(path))
        makeFolderCurrent(path);
}

std::optional<PreviewSetup> MainWindow::preparePreview(ReportWindow *window,
                                                       const QStringList &parameters)
{
    const QString key = window->previewKey();
    PreviewSetup setup;
    setup.data = PreviewSettings::dataSource(key);
    if (parameters.isEmpty())
        return setup;
    ParametersDialog dialog(parameters, PreviewSettings::parameterValues(key, parameters), this);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    setup.options.parameters = dialog.values();
    // Values that cannot be kept still serve this run.
    QString reason;
    if (!PreviewSettings::setParameterValues(key, setup.options.parameters, &reason))
        showMessage(this, Settings::writeErrorMessage(reason));
    return setup;
}

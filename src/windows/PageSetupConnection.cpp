#include "windows/PageSetupConnection.h"

#include "windows/PageSetupDialog.h"
#include "windows/ReportWindow.h"

void connectPageSetup(ReportWindow *window)
{
    QObject::connect(window, &ReportWindow::openPageSetup, window,
                     [window](ReportPage *page) { PageSetupDialog::openPageSetup(page, window); });
    QObject::connect(
        window, &ReportWindow::inspectorButton, window,
        [window](const SelectedComponents &targets, const QString &propName, QString &) {
            if (propName == QLatin1String("Page") && targets.count() > 0)
                PageSetupDialog::openPageSetup(targets.at(0), window);
        });
}

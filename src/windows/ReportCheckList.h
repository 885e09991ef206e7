#pragma once

#include "windows/GeneratedSourceCheck.h"

#include <QList>
#include <QWidget>

class QListWidget;
class QListWidgetItem;
class ReportWindow;

// The problems Check Report found in the source of one report window: a
// small tool window that stays open beside the report while the user mends
// it. A double click on a problem goes to its line on the Source page;
// when a band, text item or code block wrote that line, it selects the
// component on the Report Form page instead, with the line still current
// in the source.
class ReportCheckList : public QWidget
{
    Q_OBJECT

public:
    // The report window's list, made on first use; it goes with the window.
    static ReportCheckList *of(ReportWindow *window);

    // Replaces the list and shows the window.
    void showProblems(const QList<SourceProblem> &problems);
    const QList<SourceProblem> &problems() const { return m_problems; }

    // The row of each problem, in order; a single disabled row when there
    // is none.
    QListWidget *problemList() const { return m_list; }

    void goToProblem(int row);

private:
    explicit ReportCheckList(ReportWindow *window);

    void placeBelowReport();
    void rowActivated(QListWidgetItem *item);

    ReportWindow *m_window;
    QListWidget *m_list;
    QList<SourceProblem> m_problems;
    bool m_placed = false;
};

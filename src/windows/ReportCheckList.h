#pragma once

#include "windows/GeneratedSourceCheck.h"

#include <QList>
#include <QWidget>

class QListWidget;
class QListWidgetItem;
class ReportWindow;

// The problems Check Report found in the source of one report window: a
// small tool window that stays open beside the report while the user mends
// it, and checks again whenever the design changes while it shows. A double
// click on a problem shows and selects its line on the Source page; when a
// band or text item wrote that line, it selects the component on the
// Report Form page instead, with the line still current in the source.
// Free code is the user's own text: its problems go to the line.
class ReportCheckList : public QWidget
{
    Q_OBJECT

public:
    // The report window's list, made on first use; it goes with the window.
    static ReportCheckList *of(ReportWindow *window);

    // Replaces the list and shows the window; the problems are those of
    // the text on the Source page.
    void showProblems(const QList<SourceProblem> &problems);
    // Checks the design's source again, without touching the Source page.
    void checkAgain();
    const QList<SourceProblem> &problems() const { return m_problems; }

    // The row of each problem, in order; a single disabled row when there
    // is none.
    QListWidget *problemList() const { return m_list; }

    void goToProblem(int row);

private:
    explicit ReportCheckList(ReportWindow *window);

    void fillList(const QList<SourceProblem> &problems);
    void placeBesideReport();
    void rowActivated(QListWidgetItem *item);
    void designChanged();

    ReportWindow *m_window;
    QListWidget *m_list;
    QList<SourceProblem> m_problems;
    bool m_placed = false;
    // The Source page holds the text the problems were found in.
    bool m_sourceCurrent = true;
    bool m_checkPending = false;
};

#pragma once

#include <QWidget>

// The window shown while the frame window is being built: borderless,
// silver, the program's name and picture, with the busy cursor.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SplashWindow(QWidget *parent = nullptr);

    // Shows the window and paints it before start-up goes on.
    void showAtOnce();

protected:
    void paintEvent(QPaintEvent *event) override;
};

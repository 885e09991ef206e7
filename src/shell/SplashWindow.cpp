#include "shell/SplashWindow.h"

#include "shell/ProgramInfo.h"
#include "shell/ShellGlyphs.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SplashForm"));
    setFixedSize(208, 104);
    setCursor(Qt::WaitCursor);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(colours);
}

void SplashWindow::showAtOnce()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    repaint();
    QApplication::processEvents();
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawPixmap(16, 28, ShellGlyphs::program().pixmap(48, 48));

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(72, 0, width() - 80, height()), Qt::AlignVCenter | Qt::AlignLeft,
                     ProgramInfo::Name);
}

#include "windows/PrintingWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

PrintingWindow::PrintingWindow(int lineCount, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("DrukowanieForm"));
    setWindowTitle(QStringLiteral("Printing"));
    resize(224, 92);

    auto *label = new QLabel(QStringLiteral("Printing. Wait..."), this);
    m_progress = new QProgressBar(this);
    m_progress->setFixedWidth(206);
    m_progress->setRange(0, lineCount);
    m_progress->setValue(0);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("PrzerwijButton"));
    cancel->setFixedSize(75, 19);
    connect(cancel, &QPushButton::clicked, this, [this] { m_cancelled = true; });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_progress);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
}

void PrintingWindow::stepProgress()
{
    m_progress->setValue(m_progress->value() + 1);
}

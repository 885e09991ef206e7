#include "windows/ProgressPanel.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>

ProgressPanel::ProgressPanel(QWidget *parent)
    : QFrame(parent), m_label(new QLabel(QString(30, u' '), this)), m_bar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("Panel1"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFixedHeight(18);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setFixedWidth(90);
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setFixedWidth(265);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(2);
    layout->addStretch();
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    hide();
}

void ProgressPanel::showProgressPanel()
{
    show();
}

void ProgressPanel::hideProgressPanel()
{
    hide();
}

void ProgressPanel::setProgressLabel(const QString &text)
{
    m_label->setText(text);
    m_label->repaint();
}

void ProgressPanel::setProgressMaximum(int maximum)
{
    // Each run counts from the start, whatever the last one left.
    m_bar->setRange(0, maximum);
    m_bar->setValue(0);
}

void ProgressPanel::setProgressStep(int step)
{
    m_step = step;
}

void ProgressPanel::stepProgress()
{
    m_bar->setValue(std::min(m_bar->value() + m_step, m_bar->maximum()));
}

void ProgressPanel::processPendingEvents()
{
    QCoreApplication::processEvents();
}

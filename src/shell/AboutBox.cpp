#include "shell/AboutBox.h"

#include "shell/ProgramInfo.h"
#include "shell/ShellGlyphs.h"

#include "windows/FixedDialogSize.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

AboutBox::AboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Kestrova"));

    auto *picture = new QLabel;
    picture->setPixmap(ShellGlyphs::program().pixmap(48, 48));

    auto *name = new QLabel(QStringLiteral("<b>%1</b>").arg(ProgramInfo::Name));
    QFont bigger = name->font();
    bigger.setPixelSize(16);
    name->setFont(bigger);

    auto *version = new QLabel(QStringLiteral("Version %1").arg(ProgramInfo::Version));
    version->setObjectName(QStringLiteral("VersionLabel"));
    auto *purpose = new QLabel(
        QStringLiteral("A designer for reports in the Ingres Report-Writer language:\n"
                       "draw the report, generate its source, write it as a *.rw file."));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(purpose, 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);
    setFixedDialogSize(this, sizeHint());
}

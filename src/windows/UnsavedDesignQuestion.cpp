#include "windows/UnsavedDesignQuestion.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace {

UnsavedDesignHandler &installedHandler()
{
    static UnsavedDesignHandler handler;
    return handler;
}

QString questionText(const QString &fileName, UnsavedDesignReason reason)
{
    switch (reason) {
    case UnsavedDesignReason::FileNotOurs:
        return QStringLiteral("%1 already exists and was not opened in this window.\n"
                              "Replace it with this window's design, write the design to "
                              "another file, or discard it?")
            .arg(fileName);
    case UnsavedDesignReason::FileUnreadable:
        return QStringLiteral("%1 could not be read when this window opened it, so closing "
                              "does not overwrite it.\n"
                              "Write the design to another file, or discard it?")
            .arg(fileName);
    case UnsavedDesignReason::SourceEdited:
        return QStringLiteral("The Source page of %1 holds edited text that is in no file.\n"
                              "Write it to a text file, or discard it?")
            .arg(fileName);
    case UnsavedDesignReason::WriteFailed:
        break;
    }
    return QStringLiteral("The design could not be written to %1.\n"
                          "Write it to another file, or discard it?")
        .arg(fileName);
}

UnsavedDesignChoice askWithMessageBox(QWidget *parent, const QString &fileName,
                                      UnsavedDesignReason reason)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(),
                    questionText(fileName, reason), QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("UnsavedDesignBox"));
    QPushButton *replace = nullptr;
    if (reason == UnsavedDesignReason::FileNotOurs)
        replace = box.addButton(QStringLiteral("Replace"), QMessageBox::DestructiveRole);
    QPushButton *elsewhere = box.addButton(QStringLiteral("Write As..."), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(elsewhere);
    box.setEscapeButton(cancel);
    box.exec();
    const QAbstractButton *clicked = box.clickedButton();
    if (clicked && clicked == replace)
        return UnsavedDesignChoice::Replace;
    if (clicked == elsewhere)
        return UnsavedDesignChoice::WriteElsewhere;
    if (clicked == discard)
        return UnsavedDesignChoice::Discard;
    return UnsavedDesignChoice::Cancel;
}

} // namespace

UnsavedDesignChoice askAboutUnsavedDesign(QWidget *parent, const QString &fileName,
                                          UnsavedDesignReason reason)
{
    if (const UnsavedDesignHandler &handler = installedHandler())
        return handler(parent, fileName, reason);
    return askWithMessageBox(parent, fileName, reason);
}

UnsavedDesignHandler setUnsavedDesignHandler(UnsavedDesignHandler handler)
{
    return std::exchange(installedHandler(), std::move(handler));
}

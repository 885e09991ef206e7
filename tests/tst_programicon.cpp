#include "shell/AboutBox.h"
#include "shell/MainWindow.h"
#include "shell/ShellGlyphs.h"
#include "shell/SplashWindow.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The icon file the desktop entry installs, drawn as the program draws it.
QImage installedIcon(int size)
{
    QSvgRenderer picture(QStringLiteral(KESTROVA_TEST_DATA "/../../packaging/kestrova.svg"));
    if (!picture.isValid())
        return {};
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    picture.render(&painter);
    return image;
}

QImage onBackground(const QImage &image, const QColor &background)
{
    QImage result(image.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(background);
    QPainter painter(&result);
    painter.drawImage(0, 0, image);
    return result;
}

QImage asArgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class tst_ProgramIcon : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void iconIsTheInstalledPicture_data();
    void iconIsTheInstalledPicture();
    void frameWindowShowsIt();
    void aboutBoxShowsIt();
    void splashShowsIt();

private:
    QTemporaryDir m_config;
};

void tst_ProgramIcon::initTestCase()
{
    qputenv("KESTROVA_CONFIG_DIR", m_config.path().toLocal8Bit());
    QVERIFY(!installedIcon(48).isNull());
}

void tst_ProgramIcon::iconIsTheInstalledPicture_data()
{
    QTest::addColumn<int>("size");
    for (const int size : {16, 32, 48, 256})
        QTest::addRow("%d pixels", size) << size;
}

void tst_ProgramIcon::iconIsTheInstalledPicture()
{
    QFETCH(int, size);
    const QIcon icon = ShellGlyphs::program();
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    QCOMPARE(asArgb(icon.pixmap(size, size).toImage()), installedIcon(size));
}

void tst_ProgramIcon::frameWindowShowsIt()
{
    MainWindow frame;
    QCOMPARE(asArgb(frame.windowIcon().pixmap(48, 48).toImage()), installedIcon(48));
}

void tst_ProgramIcon::aboutBoxShowsIt()
{
    AboutBox about;
    const QList<QLabel *> labels = about.findChildren<QLabel *>();
    const auto picture = std::find_if(labels.begin(), labels.end(), [](const QLabel *label) {
        return !label->pixmap().isNull();
    });
    QVERIFY(picture != labels.end());
    QCOMPARE(asArgb((*picture)->pixmap().toImage()), installedIcon(48));
}

void tst_ProgramIcon::splashShowsIt()
{
    SplashWindow splash;
    const QImage shown = asArgb(splash.grab().toImage()).copy(16, 28, 48, 48);
    QCOMPARE(shown, onBackground(installedIcon(48), QColor(192, 192, 192)));
}

QTEST_MAIN(tst_ProgramIcon)
#include "tst_programicon.moc"

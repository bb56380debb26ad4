#include "dialogs/bargraph.h"
#include "dialogs/warningdialog.h"
#include "tests/support/kelvotestmain.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

QString pageStyleSheet(const char* picture)
{
    return QStringLiteral("background-image: url(./Images/%1);background-repeat: false; "
                          "background-position: center;background-color: rgba(255, 255, 255, 255);")
        .arg(QLatin1String(picture));
}

// What the banner looked like while it was up.
struct ShownBanner
{
    bool seen = false;
    bool modal = false;
    QString styleSheet;
    QImage picture;
};

// Whether every pixel of image is white.
bool allWhite(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != Qt::white) {
                return false;
            }
        }
    }
    return true;
}

// Whether image holds dark pixels, as the caption of a picture has.
bool hasDarkPixels(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 64) {
                return true;
            }
        }
    }
    return false;
}

// Runs dialog.show(indexPage) and, once the banner is up, records it and hides it early.
ShownBanner showAndDismiss(WarningDialog& dialog, int indexPage)
{
    ShownBanner shown;
    QTimer::singleShot(0, &dialog, [&dialog, &shown] {
        shown.seen = dialog.isVisible();
        shown.modal = QApplication::activeModalWidget() == &dialog;
        shown.styleSheet = dialog.styleSheet();
        shown.picture = dialog.grab().toImage();
        dialog.hide();
    });
    dialog.show(indexPage);
    return shown;
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void barGraphFreshState();
    void barGraphModesAndValue();
    void barGraphPaintsWhileCallerBlocks();
    void warningDialogForm();
    void warningDialogPictures();
    void warningDialogHidesItself();
    void warningDialogWithoutPicture();
};

void TestDialogs::initTestCase()
{
    // The banner reads its pictures from ./Images, as the program does beside its executable.
    QVERIFY(QDir().mkpath("Images"));
    for (const char* picture : {"imageSimplified.png", "imageAdvanced.png", "imageAdmin.png"}) {
        QVERIFY(QFile::copy(QStringLiteral(KELVO_IMAGES_DIR "/") + picture,
                            QStringLiteral("Images/") + picture));
    }
}

void TestDialogs::barGraphFreshState()
{
    BarGraph bar;
    QCOMPARE(bar.objectName(), QStringLiteral("BarGraph"));
    QCOMPARE(bar.windowTitle(), QStringLiteral("Varrow"));
    QCOMPARE(bar.size(), QSize(260, 88));
    auto* progress = bar.findChild<QProgressBar*>("progressBar");
    auto* caption = bar.findChild<QLabel*>("lbl_PgrBar");
    QVERIFY(progress && caption);
    QCOMPARE(progress->geometry(), QRect(20, 50, 211, 23));
    QCOMPARE(progress->minimum(), 0);
    QCOMPARE(progress->maximum(), 100);
    QCOMPARE(progress->value(), 24);
    QVERIFY(!progress->isTextVisible());
    QCOMPARE(caption->geometry(), QRect(0, 20, 261, 20));
    QCOMPARE(caption->text(), QStringLiteral("Write in progress"));
    QCOMPARE(caption->font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(caption->font().pointSize(), 14);
    QCOMPARE(caption->alignment(), Qt::AlignCenter);
    QVERIFY(!bar.isVisible());
}

void TestDialogs::barGraphModesAndValue()
{
    BarGraph bar;
    auto* progress = bar.findChild<QProgressBar*>("progressBar");
    auto* caption = bar.findChild<QLabel*>("lbl_PgrBar");
    bar.setReadMode();
    QCOMPARE(caption->text(), QStringLiteral("Read in progress"));
    bar.setWriteMode();
    QCOMPARE(caption->text(), QStringLiteral("Write in progress"));
    bar.setValue(0);
    QCOMPARE(progress->value(), 0);
    bar.setValue(100);
    QCOMPARE(progress->value(), 100);

    // Caption and value persist across hiding, until the next caller changes them.
    bar.setReadMode();
    bar.setValue(10);
    bar.show();
    bar.hide();
    QCOMPARE(caption->text(), QStringLiteral("Read in progress"));
    QCOMPARE(progress->value(), 10);
}

void TestDialogs::barGraphPaintsWhileCallerBlocks()
{
    BarGraph bar;
    int delivered = 0;
    auto postPending = [&bar, &delivered] {
        QMetaObject::invokeMethod(
            &bar, [&delivered] { ++delivered; }, Qt::QueuedConnection);
    };

    // Hidden, nothing is shown, so pending events wait for the caller's event loop.
    postPending();
    bar.setValue(50);
    QCOMPARE(delivered, 0);
    QCoreApplication::processEvents();
    QCOMPARE(delivered, 1);

    bar.show();
    QCoreApplication::processEvents();
    postPending();
    bar.setValue(60);
    QCOMPARE(delivered, 2);
    postPending();
    bar.setReadMode();
    QCOMPARE(delivered, 3);
    postPending();
    bar.setWriteMode();
    QCOMPARE(delivered, 4);

    // Nothing changed on screen, so the caller's events are left alone.
    postPending();
    bar.setWriteMode();
    bar.setValue(60);
    QCOMPARE(delivered, 4);
    QCoreApplication::processEvents();
    QCOMPARE(delivered, 5);
}

void TestDialogs::warningDialogForm()
{
    QWidget window;
    WarningDialog dialog(&window);
    QCOMPARE(dialog.parentWidget(), &window);
    QCOMPARE(dialog.objectName(), QStringLiteral("WarningDialog"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Warning"));
    QCOMPARE(dialog.size(), QSize(750, 120));
    QCOMPARE(dialog.sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(dialog.sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(dialog.windowFlags(), Qt::Window | Qt::FramelessWindowHint);
    QCOMPARE(dialog.styleSheet(),
             QStringLiteral("background-color: rgba(255, 255, 255, 0);\n"
                            "background-image: url(./Images/imageSimplified.png);\n"
                            "background-repeat: false; \n"
                            "background-position: center;\n"
                            "border: none;"));
    QVERIFY(dialog.findChildren<QWidget*>().isEmpty());
}

void TestDialogs::warningDialogPictures()
{
    WarningDialog dialog;
    const ShownBanner advanced = showAndDismiss(dialog, 1);
    QVERIFY(advanced.seen);
    QVERIFY(advanced.modal);
    QCOMPARE(advanced.styleSheet, pageStyleSheet("imageAdvanced.png"));
    QCOMPARE(advanced.picture.pixelColor(100, 20), QColor(Qt::white));
    QVERIFY(hasDarkPixels(advanced.picture));
    QVERIFY(!dialog.isVisible());

    QCOMPARE(showAndDismiss(dialog, 0).styleSheet, pageStyleSheet("imageSimplified.png"));
    QCOMPARE(showAndDismiss(dialog, 2).styleSheet, pageStyleSheet("imageAdmin.png"));

    // Pages without a picture keep the last one shown.
    const ShownBanner other = showAndDismiss(dialog, 3);
    QVERIFY(other.seen);
    QCOMPARE(other.styleSheet, pageStyleSheet("imageAdmin.png"));
    QCOMPARE(showAndDismiss(dialog, -1).styleSheet, pageStyleSheet("imageAdmin.png"));
    QCOMPARE(dialog.windowFlags(), Qt::Window | Qt::FramelessWindowHint);
}

void TestDialogs::warningDialogHidesItself()
{
    WarningDialog dialog;
    bool forced = false;
    // A watchdog far beyond the banner's own timer, so a banner that never hides fails the test
    // instead of hanging it.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, &dialog, [&dialog, &forced] {
        forced = true;
        dialog.hide();
    });
    watchdog.start(60000);
    dialog.show(1);
    QVERIFY(!forced);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.styleSheet(), pageStyleSheet("imageAdvanced.png"));
}

void TestDialogs::warningDialogWithoutPicture()
{
    QTemporaryDir empty;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(empty.path()));
    WarningDialog dialog;
    const ShownBanner banner = showAndDismiss(dialog, 0);
    QVERIFY(QDir::setCurrent(previous));
    QVERIFY(banner.seen);
    QVERIFY(allWhite(banner.picture));
}

KELVO_TEST_MAIN(TestDialogs)
#include "test_dialogs.moc"

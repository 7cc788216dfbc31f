// The real QR backends: ZXing on images made by qrencode, QImageReader on real files, and
// Qt's screen capture of windows shown on the (virtual) X server of the private session.
#include "import/qr_importer.h"
#include "platform/qt/qt_image_file_reader.h"
#include "platform/qt/qt_screen_capture.h"
#include "platform/zxing/zxing_qr_detector.h"

#include "support/qr_test_links.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace QRTestLinks;
using namespace Qt::StringLiterals;

namespace {

// Set in the copy of this test that runs itself again inside a two-screen session.
constexpr char nestedMarker[] = "BRISVANE_QR_TEST_NESTED";

class QRBackendsTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QtImageFileReader files;
    ZXingQRDetector detector;
    QtScreenCapture screens;
    QRImporter importer{screens, detector, files};

    // A PNG of one QR code drawn by qrencode, `scale` pixels per module.
    QString qrFile(const QString& text, int scale = 6)
    {
        static int counter = 0;
        const QString path = dir.filePath(u"code%1.png"_s.arg(++counter));
        QProcess qrencode;
        qrencode.start(u"qrencode"_s, {u"-o"_s, path, u"-s"_s, QString::number(scale), u"-m"_s, u"4"_s, text});
        EXPECT_TRUE(qrencode.waitForFinished(10000));
        EXPECT_EQ(qrencode.exitCode(), 0) << qrencode.readAllStandardError().toStdString();
        return path;
    }

    QImage qrImage(const QString& text, int scale = 6)
    {
        QImage image(qrFile(text, scale));
        EXPECT_FALSE(image.isNull());
        return image;
    }

    // The codes side by side on a white canvas, like a page showing several.
    QImage composed(const QStringList& texts, QImage::Format format = QImage::Format_RGB32)
    {
        QList<QImage> codes;
        int width = 40;
        int height = 0;
        for (const QString& text : texts) {
            codes.append(qrImage(text));
            width += codes.last().width() + 40;
            height = std::max(height, codes.last().height());
        }
        QImage canvas(width, height + 80, format);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        int x = 40;
        for (const QImage& code : codes) {
            painter.drawImage(x, 40, code);
            x += code.width() + 40;
        }
        return canvas;
    }
};

QSet<QString> asSet(const QStringList& list)
{
    return QSet<QString>(list.begin(), list.end());
}

// ZXing ----------------------------------------------------------------------------------

TEST_F(QRBackendsTest, FindsTheTextOfAQRCodeMadeByQrencode)
{
    const QString link = setupLink(u"Example:alice@example.com"_s, u"&issuer=Example&digits=8"_s);
    const std::optional<QImage> image = files.loadImage(qrFile(link));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(detector.detectQRPayloads(*image), QStringList{link});
}

TEST_F(QRBackendsTest, FindsEveryCodeInOneImage)
{
    const QStringList texts{setupLink(u"one"_s), setupLink(u"two"_s), u"https://example.com/"_s};
    EXPECT_EQ(asSet(detector.detectQRPayloads(composed(texts))), asSet(texts));
}

TEST_F(QRBackendsTest, RowPaddingOfOddWidthsDoesNotSkewTheImage)
{
    // 333 pixels of 8-bit gray need 336 bytes per row: a detector reading width-long rows
    // would see every row shifted.
    const QString link = setupLink(u"odd"_s);
    QImage canvas(333, 301, QImage::Format_Grayscale8);
    canvas.fill(Qt::white);
    QPainter(&canvas).drawImage(20, 20, qrImage(link, 5));
    ASSERT_NE(canvas.bytesPerLine(), canvas.width());
    EXPECT_EQ(detector.detectQRPayloads(canvas), QStringList{link});
}

TEST_F(QRBackendsTest, FindsCodesInEveryPixelFormat)
{
    const QString link = setupLink(u"formats"_s);
    for (QImage::Format format : {QImage::Format_ARGB32, QImage::Format_RGB888, QImage::Format_Indexed8,
                                  QImage::Format_Mono, QImage::Format_RGBA64}) {
        const QImage image = composed({link}).convertToFormat(format);
        EXPECT_EQ(detector.detectQRPayloads(image), QStringList{link}) << "format " << int(format);
    }
}

TEST_F(QRBackendsTest, CodeOnATransparentBackgroundIsReadAsOverWhite)
{
    // Transparent pixels are black underneath; read as they are, the code would vanish.
    const QString link = setupLink(u"clear"_s);
    const QString path = dir.filePath(u"clear.png"_s);
    QProcess qrencode;
    qrencode.start(u"qrencode"_s, {u"-o"_s, path, u"-s"_s, u"6"_s, u"--background=FFFFFF00"_s, link});
    ASSERT_TRUE(qrencode.waitForFinished(10000));
    const std::optional<QImage> image = files.loadImage(path);
    ASSERT_TRUE(image.has_value());
    ASSERT_TRUE(image->hasAlphaChannel());
    QImage blackUnderneath = image->convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < blackUnderneath.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(blackUnderneath.scanLine(y));
        for (int x = 0; x < blackUnderneath.width(); ++x)
            if (qAlpha(line[x]) == 0)
                line[x] = qRgba(0, 0, 0, 0);
    }
    EXPECT_EQ(detector.detectQRPayloads(blackUnderneath), QStringList{link});
}

TEST_F(QRBackendsTest, ImagesWithoutCodesGiveNothing)
{
    QImage blank(640, 480, QImage::Format_RGB32);
    blank.fill(Qt::gray);
    EXPECT_TRUE(detector.detectQRPayloads(blank).isEmpty());
    EXPECT_TRUE(detector.detectQRPayloads(QImage()).isEmpty());
}

// Image files ----------------------------------------------------------------------------

TEST_F(QRBackendsTest, ImageFileWithLinksAndAnExportGivesEveryAccount)
{
    const QString exported = exportLink({{QByteArray("key-1"), u"e1"_s, u"X"_s},
                                         {QByteArray("key-2"), u"e2"_s, u"Y"_s},
                                         {QByteArray("key-3"), u"e3"_s, u"Z"_s}});
    const QString path = dir.filePath(u"page.jpg"_s);
    ASSERT_TRUE(composed({setupLink(u"first"_s), exported, setupLink(u"last"_s)}).save(path, "JPG", 95));

    auto result = importer.importImageFile(path);
    ASSERT_TRUE(result.ok()) << message(result.error()).toStdString();
    QStringList names;
    for (const Account& account : result.value())
        names.append(account.name);
    ASSERT_EQ(names.size(), 5);
    EXPECT_EQ(asSet(names), asSet({u"first"_s, u"e1"_s, u"e2"_s, u"e3"_s, u"last"_s}));
    // The export's entries stay together and in entry order, wherever the code was found.
    const qsizetype first = names.indexOf(u"e1"_s);
    EXPECT_EQ(names.mid(first, 3), (QStringList{u"e1"_s, u"e2"_s, u"e3"_s}));
}

TEST_F(QRBackendsTest, TextFileIsAnUnreadableImage)
{
    const QString path = dir.filePath(u"notes.png"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("otpauth://totp/x?secret=JBSWY3DPEHPK3PXP\n");
    file.close();

    EXPECT_FALSE(files.loadImage(path).has_value());
    EXPECT_FALSE(files.loadImage(dir.filePath(u"missing.png"_s)).has_value());
    auto result = importer.importImageFile(path);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(message(result.error()), u"Could not read the image."_s);
}

// Screens --------------------------------------------------------------------------------

// A frameless window showing one code, on the given screen.
std::unique_ptr<QLabel> showCode(const QImage& code, QScreen* screen, QPoint at)
{
    auto label = std::make_unique<QLabel>();
    label->setWindowFlag(Qt::FramelessWindowHint);
    label->setScreen(screen);
    label->setPixmap(QPixmap::fromImage(code));
    label->setFixedSize(code.size());
    label->move(screen->geometry().topLeft() + at);
    label->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(label.get()));
    // Give the X server the painted contents before the grab reads them back.
    QTest::qWait(200);
    return label;
}

TEST_F(QRBackendsTest, CodeShownInAWindowIsFoundOnTheScreen)
{
    ASSERT_GE(screens.displayCount(), 1);
    const QString link = setupLink(u"Screen:bob"_s);
    auto window = showCode(qrImage(link), QGuiApplication::screens().front(), {300, 200});

    auto result = importer.scanScreens();
    ASSERT_TRUE(result.ok()) << message(result.error()).toStdString();
    ASSERT_EQ(result.value().size(), 1);
    EXPECT_EQ(result.value().front().name, u"bob"_s);
    EXPECT_EQ(result.value().front().issuer, u"Screen"_s);
}

TEST_F(QRBackendsTest, ScreenWithoutCodesSaysSo)
{
    auto result = importer.scanScreens();
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(message(result.error()), u"No QR code was found."_s);
}

TEST_F(QRBackendsTest, EveryScreenIsCaptured)
{
    if (qEnvironmentVariableIsEmpty(nestedMarker) && QGuiApplication::screens().size() < 2) {
        // Run this test again in a session of its own with two X screens.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(nestedMarker), u"1"_s);
        QProcess nested;
        nested.setProcessEnvironment(environment);
        nested.setProcessChannelMode(QProcess::ForwardedChannels);
        nested.start(QStringLiteral(BRISVANE_SOURCE_DIR "/tools/private-session"),
                     {u"--screens"_s, u"1920x1080x24 1280x1024x24"_s, QCoreApplication::applicationFilePath(),
                      u"--gtest_filter=QRBackendsTest.EveryScreenIsCaptured"_s});
        ASSERT_TRUE(nested.waitForFinished(120000));
        EXPECT_EQ(nested.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(nested.exitCode(), 0);
        return;
    }

    const QList<QScreen*> all = QGuiApplication::screens();
    ASSERT_EQ(screens.displayCount(), 2);
    for (int index = 0; index < 2; ++index) {
        const QImage grab = screens.captureDisplay(index);
        ASSERT_FALSE(grab.isNull());
        EXPECT_EQ(grab.size(), all.at(index)->geometry().size() * all.at(index)->devicePixelRatio());
    }
    EXPECT_EQ(importer.captureDisplays().size(), 2);

    // A code on the second screen only.
    const QString link = setupLink(u"Second:carol"_s);
    auto window = showCode(qrImage(link), all.at(1), {100, 100});
    auto result = importer.scanScreens();
    ASSERT_TRUE(result.ok()) << message(result.error()).toStdString();
    ASSERT_EQ(result.value().size(), 1);
    EXPECT_EQ(result.value().front().name, u"carol"_s);
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no display.
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

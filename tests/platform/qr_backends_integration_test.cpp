// SPDX-License-Identifier: GPL-3.0-or-later
// The real QR backends: ZXing on codes drawn by qrencode, QImageReader on real files, and
// Qt's capture of windows shown on the X server of the private session.
#include "import/qr_importer.h"
#include "platform/qt/qt_image_file_reader.h"
#include "platform/qt/qt_screen_capture.h"
#include "platform/zxing/zxing_qr_detector.h"
#include "support/qr_test_links.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace QRTestLinks;
using namespace Qt::StringLiterals;

namespace {

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

class QRBackendsTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QtImageFileReader files;
    ZXingQRDetector detector;
    QtScreenCapture screens;
    QRImporter importer{screens, detector, files};

    // A PNG of one QR code drawn by qrencode, 6 pixels a module.
    QString qrFile(const QString& text, const QStringList& options = {})
    {
        static int count = 0;
        const QString path = dir.filePath(u"%1.png"_s.arg(++count));
        QProcess qrencode;
        qrencode.start(u"qrencode"_s,
                       QStringList{u"-o"_s, path, u"-s"_s, u"6"_s} + options + QStringList{text});
        EXPECT_TRUE(qrencode.waitForFinished(10000) && qrencode.exitCode() == 0) << text.toStdString();
        return path;
    }

    // The codes side by side on a white page.
    QImage page(const QStringList& texts, QSize size = QSize(900, 320))
    {
        QImage canvas(size, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        for (int x = 20; const QString& text : texts) {
            const QImage code(qrFile(text));
            painter.drawImage(x, 20, code);
            x += code.width();
        }
        return canvas;
    }

    // A frameless window showing one code on the given screen; lives until the test ends.
    void show(const QString& text, QScreen* screen)
    {
        auto* label = new QLabel;
        label->setAttribute(Qt::WA_DeleteOnClose);
        label->setWindowFlag(Qt::FramelessWindowHint);
        label->setScreen(screen);
        label->setPixmap(QPixmap(qrFile(text)));
        label->move(screen->geometry().topLeft() + QPoint(100, 100));
        label->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(label));
        QTest::qWait(200); // the X server has the painted contents before the grab reads them back
    }

    void TearDown() override { QApplication::closeAllWindows(); }
};

TEST_F(QRBackendsTest, FindsTheTextOfEveryCodeMadeByQrencode)
{
    const QString link = setupLink(u"Example:alice@example.com"_s, u"&issuer=Example&digits=8"_s);
    const std::optional<QImage> image = files.loadImage(qrFile(link));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(detector.detectQRPayloads(*image), QStringList{link});

    const QStringList texts{setupLink(u"one"_s), setupLink(u"two"_s), u"https://example.com/"_s};
    EXPECT_EQ(sorted(detector.detectQRPayloads(page(texts))), sorted(texts));
    EXPECT_EQ(detector.detectQRPayloads(page({})), QStringList());
    EXPECT_EQ(detector.detectQRPayloads(QImage()), QStringList());
}

TEST_F(QRBackendsTest, FindsCodesInEveryPixelFormatWhateverTheRowPadding)
{
    // 333 gray pixels take 336 bytes a row: a detector reading width-long rows sees them skewed.
    const QString link = setupLink(u"formats"_s);
    const QImage canvas = page({link}, QSize(333, 301));
    for (QImage::Format format : {QImage::Format_Grayscale8, QImage::Format_ARGB32, QImage::Format_RGB888,
                                  QImage::Format_Indexed8, QImage::Format_Mono, QImage::Format_RGBA64})
        EXPECT_EQ(detector.detectQRPayloads(canvas.convertToFormat(format)), QStringList{link})
            << int(format);

    // Transparent pixels may be black underneath; read as they are, the code would vanish.
    const std::optional<QImage> clear = files.loadImage(qrFile(link, {u"--background=FFFFFF00"_s}));
    ASSERT_TRUE(clear.has_value() && clear->hasAlphaChannel());
    QImage blackUnderneath = clear->convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < blackUnderneath.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(blackUnderneath.scanLine(y));
        std::replace_if(
            line, line + blackUnderneath.width(), [](QRgb pixel) { return qAlpha(pixel) == 0; }, 0u);
    }
    EXPECT_EQ(detector.detectQRPayloads(blackUnderneath), QStringList{link});
}

TEST_F(QRBackendsTest, ImageFileGivesEveryAccountOrCannotBeRead)
{
    const QString exported =
        exportLink({{"k1", u"e1"_s, u"X"_s}, {"k2", u"e2"_s, u"Y"_s}, {"k3", u"e3"_s, u"Z"_s}});
    const QString jpeg = dir.filePath(u"page.jpg"_s);
    ASSERT_TRUE(page({setupLink(u"first"_s), exported, setupLink(u"last"_s)}).save(jpeg, "JPG", 95));
    const QStringList found = outcome(importer.importImageFile(jpeg));
    EXPECT_EQ(sorted(found), (QStringList{u"e1"_s, u"e2"_s, u"e3"_s, u"first"_s, u"last"_s}));
    // The export's entries stay together and in entry order, wherever its code was found.
    EXPECT_EQ(found.mid(found.indexOf(u"e1"_s), 3), (QStringList{u"e1"_s, u"e2"_s, u"e3"_s}));

    QFile text(dir.filePath(u"notes.png"_s));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) &&
                text.write("otpauth://totp/x?secret=JBSWY3DPEHPK3PXP\n") > 0);
    text.close();
    EXPECT_EQ(outcome(importer.importImageFile(text.fileName())),
              QStringList{u"Could not read the image."_s});
    EXPECT_FALSE(files.loadImage(dir.filePath(u"missing.png"_s)).has_value());
}

// A named pipe nobody writes to once hung the window for good: only regular files are read.
TEST_F(QRBackendsTest, OnlyRegularFilesAreOpened)
{
    const QString pipe = dir.filePath(u"pipe.png"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString link = dir.filePath(u"link.png"_s);
    ASSERT_TRUE(QFile::link(pipe, link));
    for (const QString& path : {pipe, link, dir.path(), u"/dev/zero"_s}) {
        QElapsedTimer timer;
        timer.start();
        EXPECT_FALSE(files.loadImage(path).has_value()) << path.toStdString();
        EXPECT_LT(timer.elapsed(), 100) << path.toStdString();
    }
}

TEST_F(QRBackendsTest, CodeShownInAWindowIsFoundOnTheScreen)
{
    show(setupLink(u"Screen:bob"_s), QGuiApplication::primaryScreen());
    EXPECT_EQ(outcome(importer.scanScreens()), QStringList{u"bob"_s});
}

TEST_F(QRBackendsTest, EveryScreenIsCaptured)
{
    constexpr char nested[] = "BRISVANE_QR_TEST_NESTED";
    if (qEnvironmentVariableIsEmpty(nested) && QGuiApplication::screens().size() < 2) {
        // Run this test again in a session of its own with two X screens.
        QProcess session;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(nested), u"1"_s);
        session.setProcessEnvironment(environment);
        session.setProcessChannelMode(QProcess::ForwardedChannels);
        session.start(QStringLiteral(BRISVANE_SOURCE_DIR "/tools/private-session"),
                      {u"--screens"_s, u"1920x1080x24 1280x1024x24"_s,
                       QCoreApplication::applicationFilePath(),
                       u"--gtest_filter=QRBackendsTest.EveryScreenIsCaptured"_s});
        ASSERT_TRUE(session.waitForFinished(120000));
        EXPECT_TRUE(session.exitStatus() == QProcess::NormalExit && session.exitCode() == 0);
        return;
    }
    const QList<QScreen*> all = QGuiApplication::screens();
    ASSERT_EQ(screens.displayCount(), 2);
    for (int index = 0; index < 2; ++index)
        EXPECT_EQ(screens.captureDisplay(index).size(),
                  all[index]->geometry().size() * all[index]->devicePixelRatio());
    show(setupLink(u"Second:carol"_s), all[1]);
    EXPECT_EQ(outcome(importer.scanScreens()), QStringList{u"carol"_s});
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

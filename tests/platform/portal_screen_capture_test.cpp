// SPDX-License-Identifier: GPL-3.0-or-later
// The Screenshot portal of the KDE session finds a code shown by another program's Wayland
// window, and the file the portal wrote is gone as soon as it has been read.
#include "import/qr_importer.h"
#include "platform/image_file_reader.h"
#include "platform/portal/portal_screen_capture.h"
#include "platform/zxing/zxing_qr_detector.h"
#include "support/qr_test_links.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileSystemWatcher>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

class NoImageFiles : public ImageFileReader
{
public:
    std::optional<QImage> loadImage(const QString&) const override { return std::nullopt; }
};

class PortalScreenCaptureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(qgetenv("BRISVANE_WAYLAND_SESSION"), "1") << "run inside tools/wayland-session";
        ASSERT_TRUE(PortalScreenCapture::isAvailable()) << "no Screenshot portal on the session bus";
    }
    void TearDown() override
    {
        if (m_window.state() != QProcess::NotRunning) {
            m_window.kill();
            m_window.waitForFinished();
        }
    }

    // One scan through the portal, waited for in the event loop like the add dialog does.
    std::optional<Result<QList<Account>, QRImportFailure>> scanOnce()
    {
        std::optional<QList<QImage>> captured;
        m_importer.captureDisplays([&captured](QList<QImage> images) { captured = std::move(images); });
        if (!QTest::qWaitFor([&] { return captured.has_value(); }, 10000))
            return std::nullopt;
        return m_importer.decodeDisplays(*captured);
    }

    void showCode(const QString& text)
    {
        const QString png = m_dir.filePath(u"code.png"_s);
        ASSERT_EQ(QProcess::execute(u"qrencode"_s, {u"-o"_s, png, u"-s"_s, u"6"_s, text}), 0);
        m_window.start(QString::fromUtf8(IMAGE_WINDOW), {u"Code"_s, png, u"0"_s, u"0"_s});
        ASSERT_TRUE(m_window.waitForStarted());
    }

    QTemporaryDir m_dir;
    QProcess m_window;
    PortalScreenCapture m_screens;
    ZXingQRDetector m_detector;
    NoImageFiles m_files;
    QRImporter m_importer{m_screens, m_detector, m_files};
};

TEST_F(PortalScreenCaptureTest, FindsTheCodeOfAnotherWindowAndLeavesNoScreenshotBehind)
{
    const QDir pictures(QDir::home().filePath(u"Pictures"_s));
    ASSERT_TRUE(pictures.exists()) << "the KDE portal saves screenshots there";
    QFileSystemWatcher watcher({pictures.path()});
    int pictureChanges = 0;
    QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, [&] { ++pictureChanges; });

    showCode(u"otpauth://totp/Example:alice?secret=JBSWY3DPEHPK3PXP&issuer=Example"_s);
    // The window takes a moment to appear: scan until it is on screen.
    std::optional<Result<QList<Account>, QRImportFailure>> result;
    for (QDeadlineTimer deadline(20000); !deadline.hasExpired();) {
        result = scanOnce();
        ASSERT_TRUE(result.has_value()) << "the portal did not answer";
        if (result->ok())
            break;
        EXPECT_EQ(QRTestLinks::outcome(*result), QStringList{message(QRImportError::noQRCodeFound)});
        QTest::qWait(200);
    }
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(QRTestLinks::outcome(*result), QStringList{u"alice"_s});

    QTest::qWait(100);
    EXPECT_GT(pictureChanges, 0) << "the portal wrote its file somewhere else";
    const QStringList left = pictures.entryList(QDir::Files | QDir::Hidden);
    EXPECT_TRUE(left.isEmpty()) << left.join(u", "_s).toStdString();
}

TEST_F(PortalScreenCaptureTest, TheSynchronousPathNeverWaitsOnThePortal)
{
    QDeadlineTimer deadline(50);
    EXPECT_TRUE(m_importer.captureDisplays().isEmpty());
    EXPECT_FALSE(deadline.hasExpired());
}

} // namespace

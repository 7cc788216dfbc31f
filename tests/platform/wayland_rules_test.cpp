// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the Wayland backends that need no compositor and no portal.
#include "platform/portal/portal_request.h"
#include "platform/portal/portal_screen_capture.h"
#include "platform/wayland/data_control_rules.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(PortalRequest, PathFollowsTheBusNameAndToken)
{
    EXPECT_EQ(portalRequestPath(u":1.42"_s, u"brisvane7"_s),
              u"/org/freedesktop/portal/desktop/request/1_42/brisvane7"_s);
    EXPECT_EQ(portalRequestPath(u":12.3.4"_s, u"t"_s), u"/org/freedesktop/portal/desktop/request/12_3_4/t"_s);
}

TEST(PortalScreenCapture, TheScreenshotFileIsGoneAfterReadingWhateverItHeld)
{
    QTemporaryDir dir;
    QImage shot(8, 4, QImage::Format_RGB32);
    shot.fill(Qt::white);
    const QString png = dir.filePath(u"Screenshot_1.png"_s);
    ASSERT_TRUE(shot.save(png));
    const QString garbage = dir.filePath(u"Screenshot_2.png"_s);
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not an image");
    file.close();

    EXPECT_EQ(takeScreenshotFile(QUrl::fromLocalFile(png)).size(), QSize(8, 4));
    EXPECT_TRUE(takeScreenshotFile(QUrl::fromLocalFile(garbage)).isNull());
    EXPECT_FALSE(QFile::exists(png));
    EXPECT_FALSE(QFile::exists(garbage));
    // Only local files are ever touched.
    EXPECT_TRUE(takeScreenshotFile(QUrl(u"https://example.com/a.png"_s)).isNull());
    EXPECT_TRUE(takeScreenshotFile(QUrl()).isNull());
}

TEST(DataControl, PrefersTheStandardProtocolWhenBuiltAndOffered)
{
    const QStringList both{u"wl_seat"_s, u"zwlr_data_control_manager_v1"_s, u"ext_data_control_manager_v1"_s};
    const QStringList wlrOnly{u"wl_seat"_s, u"zwlr_data_control_manager_v1"_s};
    const QStringList extOnly{u"ext_data_control_manager_v1"_s};
    EXPECT_EQ(DataControl::choose(both, true), DataControl::Protocol::ext);
    EXPECT_EQ(DataControl::choose(both, false), DataControl::Protocol::wlr);
    EXPECT_EQ(DataControl::choose(wlrOnly, true), DataControl::Protocol::wlr);
    EXPECT_EQ(DataControl::choose(extOnly, false), DataControl::Protocol::none);
    EXPECT_EQ(DataControl::choose({u"wl_seat"_s, u"wl_data_device_manager"_s}, true),
              DataControl::Protocol::none);
}

TEST(DataControl, OffersTheCodeAsTextWithTheSecretHintAndNothingElse)
{
    const QString code = u"0123\u00e9"_s;
    for (const QString& type : DataControl::offeredMimeTypes()) {
        const QByteArray expected =
            type == u"x-kde-passwordManagerHint"_s ? QByteArrayLiteral("secret") : code.toUtf8();
        EXPECT_EQ(DataControl::payload(type, code), expected) << type.toStdString();
    }
    EXPECT_TRUE(DataControl::offeredMimeTypes().contains(u"text/plain;charset=utf-8"_s));
    EXPECT_TRUE(DataControl::offeredMimeTypes().contains(u"x-kde-passwordManagerHint"_s));
    EXPECT_EQ(DataControl::payload(u"image/png"_s, code), std::nullopt);
}

TEST(DataControl, ReadsAnotherProgramsSelectionInTheBestTextType)
{
    EXPECT_EQ(DataControl::preferredTextType({u"STRING"_s, u"text/plain;charset=utf-8"_s, u"text/html"_s}),
              u"text/plain;charset=utf-8"_s);
    EXPECT_EQ(DataControl::preferredTextType({u"TEXT"_s, u"text/plain"_s}), u"text/plain"_s);
    EXPECT_TRUE(DataControl::preferredTextType({u"image/png"_s}).isEmpty());
}

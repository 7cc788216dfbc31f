// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/about_window.h"

#include <QCoreApplication>
#include <QLabel>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(AboutWindow, ShowsTheVersionTheLicenceAndWhereThingsAreKept)
{
    QCoreApplication::setApplicationVersion(u"9.8.7"_s);
    const AboutWindow about(u"/home/someone/.config/brisvane/brisvane.conf"_s);
    EXPECT_TRUE(about.versionLabel()->text().contains(u"9.8.7"_s));
    EXPECT_TRUE(about.storageLabel()->text().contains(u"/home/someone/.config/brisvane/brisvane.conf"_s));
    EXPECT_TRUE(about.storageLabel()->text().contains(u"keyring"_s));
    const auto* licence = about.findChild<QLabel*>(u"aboutLicence"_s);
    ASSERT_NE(licence, nullptr);
    EXPECT_TRUE(licence->text().contains(u"version 3"_s));
    EXPECT_TRUE(licence->text().contains(u"later version"_s));
}

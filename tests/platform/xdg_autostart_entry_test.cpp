// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg/desktop_entry_text.h"
#include "platform/xdg/xdg_autostart_entry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

void writeFile(const QString& path, const QString& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

class XdgAutostartEntryTest : public ::testing::Test
{
protected:
    QTemporaryDir config;
    XdgAutostartEntry entry{config.path(), u"/opt/My Apps/brisvane"_s, {u"--background"_s}};
};

} // namespace

TEST_F(XdgAutostartEntryTest, EnablingWritesAValidEntryThatStartsInTheBackground)
{
    EXPECT_EQ(entry.entryPath(), config.path() + u"/autostart/org.brisvane.Brisvane.desktop"_s);
    ASSERT_EQ(entry.status(), LoginItem::Status::notRegistered);
    ASSERT_TRUE(entry.registerItem().ok());
    EXPECT_EQ(entry.status(), LoginItem::Status::enabled);

    QFile file(entry.entryPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.startsWith(u"[Desktop Entry]\n"_s));
    EXPECT_TRUE(text.contains(u"\nExec=\"/opt/My Apps/brisvane\" --background\n"_s)) << text.toStdString();
    EXPECT_FALSE(text.contains(u"Hidden"_s));

    const QString validator = QStandardPaths::findExecutable(u"desktop-file-validate"_s);
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed";
    QProcess validate;
    validate.start(validator, {entry.entryPath()});
    ASSERT_TRUE(validate.waitForFinished(10000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
}

TEST_F(XdgAutostartEntryTest, AnEntrySwitchedOffCountsAsDisabledEnablingReplacesItAndDisablingRemovesIt)
{
    writeFile(entry.entryPath(), u"[Desktop Entry]\nType=Application\nExec=brisvane\nHidden=true\n"_s);
    EXPECT_EQ(entry.status(), LoginItem::Status::notRegistered);
    writeFile(entry.entryPath(), u"[Desktop Entry]\nExec=brisvane\nX-GNOME-Autostart-enabled=false\n"_s);
    EXPECT_EQ(entry.status(), LoginItem::Status::notRegistered);
    // Only the main group counts.
    writeFile(entry.entryPath(), u"[Desktop Entry]\nExec=brisvane\n[Desktop Action x]\nHidden=true\n"_s);
    EXPECT_EQ(entry.status(), LoginItem::Status::enabled);

    writeFile(entry.entryPath(), u"[Desktop Entry]\nExec=brisvane\nHidden=true\n"_s);
    ASSERT_TRUE(entry.registerItem().ok());
    EXPECT_EQ(entry.status(), LoginItem::Status::enabled);

    ASSERT_TRUE(entry.unregisterItem().ok());
    EXPECT_FALSE(QFileInfo::exists(entry.entryPath()));
    EXPECT_EQ(entry.status(), LoginItem::Status::notRegistered);
    EXPECT_TRUE(entry.unregisterItem().ok());
}

TEST_F(XdgAutostartEntryTest, WhatCannotBeWrittenGivesAMessageAndChangesNothing)
{
    EXPECT_FALSE(XdgAutostartEntry(config.path(), u"/bad\npath"_s, {}).registerItem().ok());
    const QString folder = config.path() + u"/autostart"_s;
    if (geteuid() != 0) { // root writes into read-only folders
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const Result<Done, QString> readOnly = entry.registerItem();
        QFile::setPermissions(folder,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        ASSERT_FALSE(readOnly.ok());
        EXPECT_TRUE(readOnly.error().startsWith(u"Could not write "_s)) << readOnly.error().toStdString();
        QDir(folder).removeRecursively();
    }
    // A plain file where the autostart folder belongs blocks it even for root.
    writeFile(folder, u"not a folder"_s);
    const Result<Done, QString> result = entry.registerItem();
    ASSERT_FALSE(result.ok());
    EXPECT_TRUE(result.error().contains(folder)) << result.error().toStdString();
    EXPECT_EQ(entry.status(), LoginItem::Status::notRegistered);
}

TEST(XdgAutostartDefaults, TheConfigFolderFollowsXdgConfigHome)
{
    QTemporaryDir home;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    EXPECT_EQ(XdgAutostartEntry::defaultConfigDir(), home.path());
    qputenv("XDG_CONFIG_HOME", saved);
}

TEST(DesktopEntryText, ExecArgumentsAreQuotedAndEscapedWhereNeeded)
{
    EXPECT_EQ(execArgument(u"/usr/bin/brisvane"_s), u"/usr/bin/brisvane"_s);
    // Inside quotes a dollar gets a backslash, and the file format doubles every backslash.
    EXPECT_EQ(execArgument(u"/x/$HOME"_s), u"\"/x/\\\\$HOME\""_s);
    EXPECT_EQ(execArgument(u"/x\\y"_s), u"\"/x\\\\\\\\y\""_s);
    // A percent sign would start a field code.
    EXPECT_EQ(execArgument(u"/x/100%"_s), u"/x/100%%"_s);
    EXPECT_EQ(execArgument(QString()), u"\"\""_s);
    EXPECT_FALSE(execArgument(u"/x\ny"_s).has_value());
    EXPECT_FALSE(autostartEntryText(u"/x\ny"_s, {}).has_value());
}

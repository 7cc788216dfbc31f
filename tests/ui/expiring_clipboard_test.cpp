// SPDX-License-Identifier: GPL-3.0-or-later
// The real desktop clipboard of the private session's X server, read and written from outside
// with xclip as another application would.

#include "platform/qt/qt_clipboard.h"
#include "support/x11_test_tools.h"
#include "ui/shell/expiring_clipboard.h"

#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// Our own process answers xclip's selection request, so its event loop must keep running. An
// empty clipboard makes xclip fail.
QString xclip(const QStringList& arguments, const QByteArray& input = {})
{
    return QString::fromUtf8(
        runTool(u"xclip"_s, QStringList{u"-selection"_s, u"clipboard"_s} + arguments, input).value_or(""));
}

QString clipboardSeenByOthers()
{
    return xclip({u"-o"_s});
}

// Another application takes the clipboard: xclip stays behind and serves it.
void copyInAnotherApp(const QString& text)
{
    xclip({u"-i"_s}, text.toUtf8());
    EXPECT_TRUE(QTest::qWaitFor([&] { return clipboardSeenByOthers() == text; }, 3000));
}

class ExpiringClipboardTest : public ::testing::Test
{
protected:
    QtClipboard m_desktop;
    std::unique_ptr<ExpiringClipboard> m_codes = std::make_unique<ExpiringClipboard>(m_desktop);
};

TEST_F(ExpiringClipboardTest, ACodeLeftAloneIsClearedAfterItsLifetimeAndCarriesTheSecretHint)
{
    m_codes->setLifetime(400ms);
    m_codes->setSecretText(u"287082"_s);
    EXPECT_EQ(clipboardSeenByOthers(), u"287082"_s);
    EXPECT_TRUE(xclip({u"-o"_s, u"-t"_s, u"TARGETS"_s}).contains(u"x-kde-passwordManagerHint"_s));
    EXPECT_EQ(xclip({u"-o"_s, u"-t"_s, u"x-kde-passwordManagerHint"_s}), u"secret"_s);
    QTest::qWait(100);
    EXPECT_EQ(clipboardSeenByOthers(), u"287082"_s) << "cleared too early";
    EXPECT_TRUE(QTest::qWaitFor([] { return clipboardSeenByOthers().isEmpty(); }, 3000));
}

TEST_F(ExpiringClipboardTest, WhatTheUserCopiedSinceStaysWhenTheCodeExpiresAndAtQuit)
{
    m_codes->setLifetime(300ms);
    m_codes->setSecretText(u"755224"_s);
    copyInAnotherApp(u"the user's own text"_s);
    QTest::qWait(600);
    EXPECT_EQ(clipboardSeenByOthers(), u"the user's own text"_s);

    m_codes->setLifetime(0ms);
    m_codes->setSecretText(u"359152"_s);
    copyInAnotherApp(u"copied again"_s);
    m_codes.reset();
    EXPECT_EQ(clipboardSeenByOthers(), u"copied again"_s);
}

TEST_F(ExpiringClipboardTest, QuittingClearsACodeStillThereAndOffKeepsItUntilThen)
{
    m_codes->setLifetime(0ms);
    m_codes->setSecretText(u"969429"_s);
    QTest::qWait(500);
    EXPECT_EQ(clipboardSeenByOthers(), u"969429"_s);
    m_codes.reset();
    EXPECT_EQ(clipboardSeenByOthers(), QString());
}

} // namespace

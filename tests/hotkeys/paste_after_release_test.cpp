#include "hotkeys/paste_after_release.h"
#include "support/fake_keystroke_sender.h"

#include <QTest>
#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace std::chrono_literals;

class PasteAfterReleaseTest : public ::testing::Test
{
protected:
    // Short times: the logic is the same, the suite stays fast.
    std::optional<bool> run(PasteAfterRelease::Timing timing = {5ms, 2ms, 300ms})
    {
        PasteAfterRelease paste(m_keys, timing);
        std::optional<bool> outcome;
        paste.start([&](bool pasted) { outcome = pasted; });
        EXPECT_FALSE(outcome.has_value()) << "decided before the event loop ran";
        EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 5000));
        return outcome;
    }

    FakeKeystrokeSender m_keys;
};

TEST_F(PasteAfterReleaseTest, PastesAtOnceWhenNothingIsHeld)
{
    EXPECT_EQ(run(), true);
    EXPECT_EQ(m_keys.pastes(), 1);
    EXPECT_EQ(m_keys.modifierQueries(), 1);
}

TEST_F(PasteAfterReleaseTest, WaitsForTheModifiersToBeReleased)
{
    m_keys.setModifiersHeld([](int query) { return query <= 5; });
    EXPECT_EQ(run(), true);
    EXPECT_EQ(m_keys.pastes(), 1);
    EXPECT_FALSE(m_keys.modifiersHeldAtPaste());
    EXPECT_EQ(m_keys.modifierQueries(), 6);
}

TEST_F(PasteAfterReleaseTest, GivesUpWithoutPastingWhenTheModifiersStayDown)
{
    m_keys.setModifiersHeld([](int) { return true; });
    EXPECT_EQ(run({5ms, 2ms, 60ms}), false);
    EXPECT_EQ(m_keys.pastes(), 0);
    EXPECT_GT(m_keys.modifierQueries(), 1);
}

TEST_F(PasteAfterReleaseTest, ReportsKeystrokesThatCouldNotBeSent)
{
    m_keys.setSendSucceeds(false);
    EXPECT_EQ(run(), false);
    EXPECT_EQ(m_keys.pastes(), 1);
}

TEST_F(PasteAfterReleaseTest, DestroyedBeforeDecidingNeverCallsBack)
{
    bool called = false;
    {
        PasteAfterRelease paste(m_keys, {5ms, 2ms, 300ms});
        paste.start([&](bool) { called = true; });
    }
    QTest::qWait(30);
    EXPECT_FALSE(called);
    EXPECT_EQ(m_keys.pastes(), 0);
}

} // namespace

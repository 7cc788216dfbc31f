#include "hotkeys/hot_key.h"
#include "hotkeys/hot_key_registry.h"
#include "support/fake_hot_key_service.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr std::uint32_t keyK = 40;
constexpr std::uint32_t keyJ = 38;
constexpr std::uint32_t commandShiftOption = 0x0B00;

class HotKeyRegistryTest : public ::testing::Test
{
protected:
    std::unique_ptr<HotKey> makeHotKey(std::uint32_t keyCode, int* presses)
    {
        return std::make_unique<HotKey>(m_registry, keyCode, commandShiftOption, [presses] { ++*presses; });
    }

    FakeHotKeyService m_service;
    HotKeyRegistry m_registry{m_service};
};

TEST_F(HotKeyRegistryTest, IdsCountUpInCreationOrderAndAreNeverReused)
{
    int presses = 0;
    auto first = makeHotKey(keyK, &presses);
    auto second = makeHotKey(keyJ, &presses);
    second.reset();
    auto third = makeHotKey(keyJ, &presses);
    EXPECT_EQ(first->id(), 1u);
    EXPECT_EQ(third->id(), 3u);
}

TEST_F(HotKeyRegistryTest, PressHandlerIsInstalledOnceAndRemovedWithTheRegistry)
{
    int presses = 0;
    {
        HotKeyRegistry registry(m_service);
        HotKey a(registry, keyK, commandShiftOption, [&] { ++presses; });
        HotKey b(registry, keyJ, commandShiftOption, [&] { ++presses; });
        ASSERT_TRUE(a.registerHotKey());
        ASSERT_TRUE(b.registerHotKey());
        EXPECT_EQ(m_service.handlerInstallations(), 1);
    }
    // A press arriving after the registry is gone must not reach freed memory.
    m_service.pressID(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(presses, 0);
}

TEST_F(HotKeyRegistryTest, RegisteringTwiceLeavesOneRegistrationAndOneRoute)
{
    int presses = 0;
    auto hotKey = makeHotKey(keyK, &presses);
    ASSERT_TRUE(hotKey->registerHotKey());
    ASSERT_TRUE(hotKey->registerHotKey());
    EXPECT_EQ(m_service.registrations().size(), 1);
    EXPECT_EQ(m_registry.actionCount(), 1u);

    ASSERT_TRUE(m_service.press(keyK, commandShiftOption));
    QCoreApplication::processEvents();
    EXPECT_EQ(presses, 1);
}

TEST_F(HotKeyRegistryTest, RefusedCombinationLeavesNoRouteAndNoHandle)
{
    m_service.holdElsewhere(keyK, commandShiftOption);
    int presses = 0;
    auto hotKey = makeHotKey(keyK, &presses);
    EXPECT_FALSE(hotKey->registerHotKey());
    EXPECT_FALSE(hotKey->isRegistered());
    EXPECT_FALSE(m_registry.hasAction(hotKey->id()));

    m_service.pressID(hotKey->id());
    QCoreApplication::processEvents();
    EXPECT_EQ(presses, 0);
}

TEST_F(HotKeyRegistryTest, ReleasingAHotKeyEndsItsRegistration)
{
    int presses = 0;
    auto hotKey = makeHotKey(keyK, &presses);
    ASSERT_TRUE(hotKey->registerHotKey());
    const std::uint32_t id = hotKey->id();
    hotKey.reset();
    EXPECT_TRUE(m_service.registrations().isEmpty());
    EXPECT_FALSE(m_registry.hasAction(id));
}

TEST_F(HotKeyRegistryTest, PressRunsTheActionLaterOnTheEventLoop)
{
    int presses = 0;
    auto hotKey = makeHotKey(keyK, &presses);
    ASSERT_TRUE(hotKey->registerHotKey());
    ASSERT_TRUE(m_service.press(keyK, commandShiftOption));
    EXPECT_EQ(presses, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(presses, 1);
}

TEST_F(HotKeyRegistryTest, PressUnregisteredBeforeItsTurnDoesNothing)
{
    int presses = 0;
    auto hotKey = makeHotKey(keyK, &presses);
    ASSERT_TRUE(hotKey->registerHotKey());
    ASSERT_TRUE(m_service.press(keyK, commandShiftOption));
    hotKey->unregister();
    QCoreApplication::processEvents();
    EXPECT_EQ(presses, 0);
}

TEST_F(HotKeyRegistryTest, PressOfAnUnknownIdDoesNothing)
{
    int presses = 0;
    auto hotKey = makeHotKey(keyK, &presses);
    ASSERT_TRUE(hotKey->registerHotKey());
    m_service.pressID(hotKey->id() + 7);
    QCoreApplication::processEvents();
    EXPECT_EQ(presses, 0);
}

} // namespace

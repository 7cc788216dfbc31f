#include "core/account.h"
#include "core/account_json.h"
#include "core/uuid_text.h"
#include "hotkeys/app_settings.h"
#include "hotkeys/copy_hud.h"
#include "hotkeys/hot_key_controller.h"
#include "storage/account_store.h"
#include "support/fake_clipboard.h"
#include "support/fake_hot_key_service.h"
#include "support/fake_keystroke_sender.h"
#include "support/fake_secure_item_store.h"
#include "support/fake_sound_player.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t keyK = 40;
constexpr std::uint32_t keyJ = 38;
constexpr std::uint32_t keyL = 37;
constexpr std::uint32_t commandShiftOption = 0x0B00;
constexpr std::uint32_t commandOption = 0x0900;
const QByteArray rfcSecret = "12345678901234567890";

struct PanelCall
{
    QString title;
    QString subtitle;
    double seconds;
};

class RecordingHUD : public CopyHUD
{
public:
    void show(const QString& title, const QString& subtitle, double durationSeconds) override
    {
        calls.append({title, subtitle, durationSeconds});
    }
    QList<PanelCall> calls;
};

Account makeAccount(const QString& name, const QString& issuer, OTPType type, std::uint64_t counter = 0)
{
    Account account;
    account.id = QUuid::createUuid();
    account.name = name;
    account.issuer = issuer;
    account.secret = rfcSecret;
    account.type = type;
    account.digits = 8;
    account.counter = counter;
    account.createdAt = instantFromSeconds(1714555800);
    return account;
}

HotKeyBinding makeBinding(const std::optional<QUuid>& accountID, std::uint32_t keyCode,
                          std::uint32_t modifiers = commandShiftOption)
{
    HotKeyBinding binding;
    binding.id = QUuid::createUuid();
    binding.accountID = accountID;
    binding.keyCode = keyCode;
    binding.modifiers = modifiers;
    return binding;
}

class HotKeyControllerTest : public ::testing::Test
{
protected:
    HotKeyControllerTest()
    {
        m_totp = makeAccount(QStringLiteral("alice"), QStringLiteral("Example"), OTPType::totp);
        m_hotp = makeAccount(QStringLiteral("bob"), QString(), OTPType::hotp, 0);
        m_store.addAccounts({m_totp, m_hotp});
    }

    // Creates the controller and lets both start-up synchronisations run.
    void start(const QList<HotKeyBinding>& bindings)
    {
        m_settings.setBindings(bindings);
        m_controller = std::make_unique<HotKeyController>(m_store, m_settings, m_service, m_clipboard, m_keys,
                                                          m_sounds, m_hud);
        m_controller->setClock([] { return instantFromSeconds(59); });
        m_controller->setPasteTiming({5ms, 2ms, 200ms});
        settle();
    }

    // Until no synchronisation is pending or queued.
    void settle()
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !m_controller->isSyncPending(); }, 5000));
        QCoreApplication::processEvents();
    }

    // A press delivered by the platform, and the queued work it starts.
    void press(std::uint32_t keyCode, std::uint32_t modifiers = commandShiftOption)
    {
        ASSERT_TRUE(m_service.press(keyCode, modifiers)) << "combination not registered";
        QCoreApplication::processEvents();
    }

    std::uint64_t storedCounter(const QUuid& id) const
    {
        const auto json = m_items.value(QStringLiteral("org.brisvane.Brisvane"), uuidText(id));
        const auto account = json ? decodeAccount(*json) : std::nullopt;
        return account ? account->counter : ~0ull;
    }

    void expectNothingHappened() const
    {
        EXPECT_EQ(m_clipboard.writes(), 0);
        EXPECT_TRUE(m_hud.calls.isEmpty());
        EXPECT_TRUE(m_sounds.played().isEmpty());
    }

    QTemporaryDir m_dir;
    QSettings m_qsettings{m_dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    AppSettings m_settings{m_qsettings};
    FakeSecureItemStore m_items;
    AccountStore m_store{m_items};
    FakeHotKeyService m_service;
    FakeClipboard m_clipboard;
    FakeKeystrokeSender m_keys;
    FakeSoundPlayer m_sounds;
    RecordingHUD m_hud;
    Account m_totp;
    Account m_hotp;
    std::unique_ptr<HotKeyController> m_controller;
};

// --- keeping the hotkeys in step with the bindings ---

TEST_F(HotKeyControllerTest, FirstSynchronisationIsQueuedNotImmediate)
{
    m_settings.setBindings({makeBinding(m_totp.id, keyK)});
    HotKeyController controller(m_store, m_settings, m_service, m_clipboard, m_keys, m_sounds, m_hud);
    EXPECT_TRUE(m_service.registrations().isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(m_service.registrations().size(), 1);
}

TEST_F(HotKeyControllerTest, AssigningAnIdenticalListDoesNotSynchronise)
{
    const QList<HotKeyBinding> bindings{makeBinding(m_totp.id, keyK)};
    start(bindings);
    const int calls = m_service.registerCalls();
    m_settings.setBindings(bindings);
    EXPECT_FALSE(m_controller->isSyncPending());
    QTest::qWait(HotKeyController::debounceMilliseconds + 30);
    EXPECT_EQ(m_service.registerCalls(), calls);
}

TEST_F(HotKeyControllerTest, BurstOfEditsSynchronisesOnceWithTheLastList)
{
    HotKeyBinding binding = makeBinding(m_totp.id, keyK);
    start({binding});
    const int calls = m_service.registerCalls();
    for (std::uint32_t key : {keyJ, keyL, keyJ, keyL}) {
        binding.keyCode = key;
        m_settings.updateBinding(binding);
    }
    EXPECT_EQ(m_service.registerCalls(), calls);
    settle();
    QTest::qWait(HotKeyController::debounceMilliseconds + 30);
    EXPECT_EQ(m_service.registerCalls(), calls + 1);
    ASSERT_EQ(m_service.registrations().size(), 1);
    EXPECT_EQ(m_service.registrations().first().keyCode, keyL);
}

TEST_F(HotKeyControllerTest, EachEditRestartsTheWait)
{
    HotKeyBinding binding = makeBinding(m_totp.id, keyK);
    start({binding});
    const int calls = m_service.registerCalls();
    QElapsedTimer sinceFirstEdit;
    sinceFirstEdit.start();
    binding.keyCode = keyJ;
    m_settings.updateBinding(binding);
    QTest::qWait(40);
    if (sinceFirstEdit.elapsed() >= 100)
        GTEST_SKIP() << "the machine is too busy to time the debounce";
    EXPECT_EQ(m_service.registerCalls(), calls);

    binding.keyCode = keyL;
    m_settings.updateBinding(binding);
    QElapsedTimer sinceLastEdit;
    sinceLastEdit.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_service.registerCalls() == calls + 1; }, 2000));
    // A wait that was not restarted would have ended at most 80 ms after the last edit.
    EXPECT_GE(sinceLastEdit.elapsed(), 110);
    EXPECT_EQ(m_service.registrations().first().keyCode, keyL);
}

TEST_F(HotKeyControllerTest, OnlyTheFirstBindingOfACombinationIsRegistered)
{
    HotKeyBinding first = makeBinding(m_totp.id, keyK);
    const HotKeyBinding second = makeBinding(m_hotp.id, keyK);
    start({first, second});
    EXPECT_EQ(m_controller->registeredBindingIDs(), QList<QUuid>{first.id});

    first.enabled = false;
    m_settings.updateBinding(first);
    settle();
    EXPECT_EQ(m_controller->registeredBindingIDs(), QList<QUuid>{second.id});
    press(keyK);
    EXPECT_EQ(m_clipboard.text(), QStringLiteral("84755224"));
}

TEST_F(HotKeyControllerTest, BindingsWithoutAccountOrKeyOrDisabledAreNeverRegistered)
{
    HotKeyBinding disabled = makeBinding(m_totp.id, keyJ);
    disabled.enabled = false;
    start({makeBinding(std::nullopt, keyK), makeBinding(m_totp.id, 0), disabled});
    EXPECT_TRUE(m_service.registrations().isEmpty());
    EXPECT_EQ(m_service.registerCalls(), 0);
}

TEST_F(HotKeyControllerTest, RefusedCombinationIsSkippedAndTakenOnceFree)
{
    m_service.holdElsewhere(keyK, commandShiftOption);
    const HotKeyBinding refused = makeBinding(m_totp.id, keyK);
    const HotKeyBinding other = makeBinding(m_hotp.id, keyJ);
    start({refused, other});
    EXPECT_EQ(m_controller->registeredBindingIDs(), QList<QUuid>{other.id});

    m_service.releaseElsewhere(keyK, commandShiftOption);
    m_controller->syncHotKeys(m_settings.bindings());
    EXPECT_EQ(m_controller->registeredBindingIDs().size(), 2);
}

TEST_F(HotKeyControllerTest, EverySynchronisationTakesNewIds)
{
    start({makeBinding(m_totp.id, keyK), makeBinding(m_hotp.id, keyJ)});
    // Two start-up synchronisations of two hotkeys each.
    QList<std::uint32_t> ids;
    for (const auto& registration : m_service.registrations())
        ids.append(registration.hotKeyID);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (QList<std::uint32_t>{3, 4}));

    m_controller->syncHotKeys(m_settings.bindings());
    ids.clear();
    for (const auto& registration : m_service.registrations())
        ids.append(registration.hotKeyID);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (QList<std::uint32_t>{5, 6}));
}

TEST_F(HotKeyControllerTest, DestroyingTheControllerReleasesItsHotKeys)
{
    start({makeBinding(m_totp.id, keyK)});
    const std::uint32_t id = m_service.registrations().first().hotKeyID;
    m_controller.reset();
    EXPECT_TRUE(m_service.registrations().isEmpty());
    m_service.pressID(id);
    QCoreApplication::processEvents();
    expectNothingHappened();
}

// --- what a press does ---

TEST_F(HotKeyControllerTest, TotpPressCopiesTheCodeAndLeavesTheAccountAlone)
{
    start({makeBinding(m_totp.id, keyK)});
    m_items.clearCalls();
    press(keyK);
    EXPECT_EQ(m_clipboard.text(), QStringLiteral("94287082")); // RFC 6238, T = 59 s
    ASSERT_EQ(m_hud.calls.size(), 1);
    EXPECT_EQ(m_hud.calls[0].title, QStringLiteral("Code copied"));
    EXPECT_EQ(m_hud.calls[0].subtitle, QStringLiteral("Example: alice"));
    EXPECT_DOUBLE_EQ(m_hud.calls[0].seconds, 1.4);
    EXPECT_EQ(m_sounds.played(), QStringList{QStringLiteral("confirmation")});
    EXPECT_EQ(m_store.accounts().first(), m_totp);
    EXPECT_EQ(m_items.writeCount(), 0);
}

TEST_F(HotKeyControllerTest, HotpPressCopiesTheCurrentCodeThenAdvancesTheCounter)
{
    start({makeBinding(m_hotp.id, keyK)});
    press(keyK);
    EXPECT_EQ(m_clipboard.text(), QStringLiteral("84755224")); // RFC 4226 counter 0, 8 digits
    EXPECT_EQ(m_store.accounts().at(1).counter, 1u);
    EXPECT_EQ(storedCounter(m_hotp.id), 1u);
    ASSERT_EQ(m_hud.calls.size(), 1);
    EXPECT_EQ(m_hud.calls[0].subtitle, QStringLiteral("bob")); // empty issuer: the name alone

    press(keyK);
    EXPECT_EQ(m_clipboard.text(), QStringLiteral("94287082")); // counter 1
    EXPECT_EQ(storedCounter(m_hotp.id), 2u);
}

TEST_F(HotKeyControllerTest, PressOfARemovedBindingDoesNothing)
{
    const HotKeyBinding binding = makeBinding(m_totp.id, keyK);
    start({binding});
    // Removed but not yet resynchronised: the hotkey is still registered.
    m_settings.removeBinding(binding.id);
    press(keyK);
    expectNothingHappened();
}

TEST_F(HotKeyControllerTest, PressForADeletedAccountDoesNothing)
{
    start({makeBinding(m_hotp.id, keyK)});
    m_store.deleteAccount(m_hotp.id);
    press(keyK);
    expectNothingHappened();
}

TEST_F(HotKeyControllerTest, PressOfABindingThatLostItsAccountDoesNothing)
{
    HotKeyBinding binding = makeBinding(m_totp.id, keyK);
    start({binding});
    binding.accountID.reset();
    m_settings.updateBinding(binding);
    press(keyK);
    expectNothingHappened();
}

TEST_F(HotKeyControllerTest, AccountWithoutAUsableCodeCopiesNothingAndSaysSo)
{
    Account broken = makeAccount(QStringLiteral("carol"), QStringLiteral("Broken"), OTPType::hotp, 5);
    broken.digits = 12;
    m_store.addAccounts({broken});
    start({makeBinding(broken.id, keyK)});
    m_clipboard.setSecretText(QStringLiteral("earlier"));
    press(keyK);
    EXPECT_EQ(m_clipboard.text(), QStringLiteral("earlier"));
    ASSERT_EQ(m_hud.calls.size(), 1);
    EXPECT_EQ(m_hud.calls[0].title, QStringLiteral("Code unavailable"));
    EXPECT_EQ(m_hud.calls[0].subtitle, QStringLiteral("Broken: carol"));
    EXPECT_EQ(m_sounds.played(), QStringList{QStringLiteral("alert")});
    EXPECT_EQ(m_store.accounts().last().counter, 5u) << "no code was handed out";
}

// --- auto-paste ---

TEST_F(HotKeyControllerTest, AutoPastePastesOnceTheModifiersAreReleased)
{
    HotKeyBinding binding = makeBinding(m_totp.id, keyK);
    binding.autoPaste = true;
    m_keys.setModifiersHeld([](int query) { return query <= 3; });
    start({binding});
    press(keyK);
    EXPECT_EQ(m_clipboard.text(), QStringLiteral("94287082"));
    EXPECT_TRUE(m_hud.calls.isEmpty()) << "the title must wait for the outcome";
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_hud.calls.size() == 1; }, 2000));
    EXPECT_EQ(m_keys.pastes(), 1);
    EXPECT_FALSE(m_keys.modifiersHeldAtPaste());
    EXPECT_EQ(m_hud.calls[0].title, QStringLiteral("Code pasted"));
    EXPECT_EQ(m_hud.calls[0].subtitle, QStringLiteral("Example: alice"));
    EXPECT_EQ(m_sounds.played(), QStringList{QStringLiteral("confirmation")});
}

TEST_F(HotKeyControllerTest, AutoPasteWithModifiersStillHeldOnlyCopies)
{
    HotKeyBinding binding = makeBinding(m_totp.id, keyK);
    binding.autoPaste = true;
    m_keys.setModifiersHeld([](int) { return true; });
    start({binding});
    press(keyK);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_hud.calls.size() == 1; }, 3000));
    EXPECT_EQ(m_keys.pastes(), 0);
    EXPECT_EQ(m_hud.calls[0].title, QStringLiteral("Code copied"));
    EXPECT_EQ(m_clipboard.text(), QStringLiteral("94287082"));
}

TEST_F(HotKeyControllerTest, AutoPasteWhereKeystrokesAreNotAllowedCopiesAndAsks)
{
    HotKeyBinding binding = makeBinding(m_totp.id, keyK);
    binding.autoPaste = true;
    m_keys.setAllowed(false);
    start({binding});
    press(keyK);
    ASSERT_EQ(m_hud.calls.size(), 1);
    EXPECT_EQ(m_hud.calls[0].title, QStringLiteral("Copied (paste not allowed)"));
    EXPECT_EQ(m_keys.permissionRequests(), 1);
    EXPECT_EQ(m_keys.pastes(), 0);
    EXPECT_EQ(m_clipboard.text(), QStringLiteral("94287082"));
}

TEST_F(HotKeyControllerTest, PressWithoutAutoPasteNeverTypes)
{
    start({makeBinding(m_totp.id, keyK)});
    press(keyK);
    QTest::qWait(30);
    EXPECT_EQ(m_keys.pastes(), 0);
    EXPECT_EQ(m_keys.modifierQueries(), 0);
}

} // namespace

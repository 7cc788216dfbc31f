// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotkeys/copy_feedback.h"
#include "hotkeys/hot_key_controller.h"
#include "hotkeys/key_names.h"
#include "support/fake_clipboard.h"
#include "support/fake_hot_key_service.h"
#include "support/fake_keystroke_sender.h"
#include "support/fake_sound_player.h"
#include "support/qt_printers.h"
#include "support/store_and_settings.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr std::uint32_t keyK = 40;
constexpr std::uint32_t keyJ = 38;
constexpr std::uint32_t keyL = 37;
constexpr std::uint32_t keyH = 4;
constexpr std::uint32_t commandShiftOption = 0x0B00;

// Each panel as "title | subtitle", the subtitle's bidirectional isolates marked as [ ].
struct RecordingHUD : CopyFeedback
{
    void show(const QString& title, const QString& subtitle, double durationSeconds) override
    {
        shown.append(title + u" | "_s +
                     QString(subtitle).replace(QChar(0x2068), u'[').replace(QChar(0x2069), u']'));
        seconds = durationSeconds;
    }
    QStringList shown;
    double seconds = 0;
};

Account makeAccount(const QString& name, const QString& issuer, OTPType type, std::uint64_t counter = 0)
{
    return {
        QUuid::createUuid(), name, issuer, "12345678901234567890", type, HashAlgorithm::sha1, 8, 30, counter};
}

HotKeyBinding makeBinding(std::optional<QUuid> accountID, std::uint32_t keyCode)
{
    return {QUuid::createUuid(), accountID, keyCode, commandShiftOption};
}

// The controller over fakes, with the clock at 59 s and short paste waits.
struct Rig : StoreAndSettings
{
    Rig() { store.addAccounts({totp, hotp}); }

    // Creates the controller and lets both start-up synchronisations run.
    void start(const QList<HotKeyBinding>& bindings)
    {
        settings.setBindings(bindings);
        controller =
            std::make_unique<HotKeyController>(store, settings, service, clipboard, keys, sounds, hud);
        controller->setClock([] { return instantFromSeconds(59); });
        controller->setPasteTiming({5ms, 2ms, 200ms});
        settle();
    }
    void settle()
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !controller->isSyncPending(); }, 5000));
    }
    void press(std::uint32_t keyCode)
    {
        ASSERT_TRUE(service.press(keyCode, commandShiftOption)) << "combination not registered";
        QCoreApplication::processEvents();
    }
    bool nothingHappened() const
    {
        return clipboard.writes() == 0 && hud.shown.isEmpty() && sounds.played().isEmpty();
    }

    FakeHotKeyService service;
    FakeClipboard clipboard;
    FakeKeystrokeSender keys;
    FakeSoundPlayer sounds;
    RecordingHUD hud;
    Account totp = makeAccount(u"alice"_s, u"Example"_s, OTPType::totp);
    Account hotp = makeAccount(u"bob"_s, QString(), OTPType::hotp);
    std::unique_ptr<HotKeyController> controller;
};

TEST(HotKeyController, IdenticalListIsIgnoredAndEachEditRestartsTheWaitForOneSynchronisation)
{
    Rig rig;
    HotKeyBinding binding = makeBinding(rig.totp.id, keyK);
    rig.start({binding});
    rig.settings.setBindings({binding});
    EXPECT_FALSE(rig.controller->isSyncPending());

    const int calls = rig.service.registerCalls();
    QElapsedTimer sinceFirstEdit;
    sinceFirstEdit.start();
    binding.keyCode = keyJ;
    rig.settings.updateBinding(binding);
    QTest::qWait(40);
    const bool timely = sinceFirstEdit.elapsed() < 100; // else the machine is too busy to time it
    for (std::uint32_t key : {keyL, keyJ, keyL}) {
        binding.keyCode = key;
        rig.settings.updateBinding(binding);
    }
    QElapsedTimer sinceLastEdit;
    sinceLastEdit.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.service.registerCalls() > calls; }, 2000));
    // A wait that was not restarted would have ended at most 80 ms after the last edit.
    if (timely) {
        EXPECT_GE(sinceLastEdit.elapsed(), 110);
    }
    QTest::qWait(50);
    EXPECT_EQ(rig.service.registerCalls(), calls + 1);
    EXPECT_EQ(rig.service.registrations().first().keyCode, keyL);
}

TEST(HotKeyController, RegistersUsableBindingsTheFirstOfEachCombinationAndRefusedOnesOnceFree)
{
    Rig rig;
    HotKeyBinding first = makeBinding(rig.totp.id, keyK);
    const HotKeyBinding second = makeBinding(rig.hotp.id, keyK);
    const HotKeyBinding refused = makeBinding(rig.hotp.id, keyJ);
    HotKeyBinding disabled = makeBinding(rig.totp.id, keyL);
    disabled.enabled = false;
    rig.service.holdElsewhere(keyJ, commandShiftOption);
    rig.start(
        {first, second, refused, disabled, makeBinding(std::nullopt, keyL), makeBinding(rig.totp.id, 0)});
    EXPECT_EQ(rig.controller->registeredBindingIDs(), QList<QUuid>{first.id});

    rig.service.releaseElsewhere(keyJ, commandShiftOption);
    first.enabled = false;
    rig.settings.updateBinding(first);
    rig.settle();
    const QList<QUuid> ids = rig.controller->registeredBindingIDs();
    EXPECT_EQ(QSet<QUuid>(ids.begin(), ids.end()), (QSet<QUuid>{second.id, refused.id}));
    rig.press(keyK);
    EXPECT_EQ(rig.clipboard.text(), u"84755224");

    // Another layout registers the latest bindings at once, without waiting out an edit's
    // debounce; a combination it cannot produce is refused like any other.
    rig.service.holdElsewhere(keyK, commandShiftOption);
    first.enabled = true;
    first.keyCode = keyL;
    rig.settings.updateBinding(first);
    rig.service.changeKeyboard();
    EXPECT_FALSE(rig.controller->isSyncPending());
    const QList<QUuid> now = rig.controller->registeredBindingIDs();
    EXPECT_EQ(QSet<QUuid>(now.begin(), now.end()), (QSet<QUuid>{first.id, refused.id}));
    EXPECT_FALSE(rig.service.registrationOf(keyK, commandShiftOption));
}

// Presses are queued out of the platform's event handling and looked up when their turn comes;
// ids are never reused, so a press of a replaced hotkey cannot reach its successor.
TEST(HotKeyController, PressesOfStaleHotKeysDoNothing)
{
    Rig rig;
    const HotKeyBinding removed = makeBinding(rig.totp.id, keyK);
    HotKeyBinding lostAccount = makeBinding(rig.totp.id, keyJ);
    rig.start({removed, lostAccount, makeBinding(rig.hotp.id, keyL), makeBinding(rig.totp.id, keyH)});
    // Changed, but not yet resynchronised: the hotkeys are still registered.
    rig.settings.removeBinding(removed.id);
    lostAccount.accountID.reset();
    rig.settings.updateBinding(lostAccount);
    rig.store.deleteAccount(rig.hotp.id);
    for (std::uint32_t key : {keyK, keyJ, keyL})
        rig.press(key);
    rig.service.pressID(rig.service.registrationOf(keyH, commandShiftOption)->hotKeyID);
    rig.controller->syncHotKeys(rig.settings.bindings());
    QCoreApplication::processEvents();

    const std::uint32_t id = rig.service.registrationOf(keyH, commandShiftOption)->hotKeyID;
    rig.controller.reset();
    EXPECT_TRUE(rig.service.registrations().isEmpty());
    rig.service.pressID(id);
    QCoreApplication::processEvents();
    EXPECT_TRUE(rig.nothingHappened());
}

TEST(HotKeyController, PressCopiesTheCodeAndAdvancesOnlyAHotpCounter)
{
    Rig rig;
    rig.start({makeBinding(rig.totp.id, keyK), makeBinding(rig.hotp.id, keyJ)});
    rig.items.clearCalls();
    rig.press(keyK);
    EXPECT_EQ(rig.clipboard.text(), u"94287082"); // RFC 6238, T = 59 s
    EXPECT_EQ(rig.hud.shown, QStringList{u"Code copied | [Example]: [alice]"_s});
    EXPECT_DOUBLE_EQ(rig.hud.seconds, 1.4);
    EXPECT_EQ(rig.sounds.played(), QStringList{u"confirmation"_s});
    EXPECT_EQ(rig.items.writeCount(), 0);
    EXPECT_EQ(rig.keys.modifierQueries(), 0) << "no paste without auto-paste";

    rig.press(keyJ);
    EXPECT_EQ(rig.clipboard.text(), u"84755224"); // RFC 4226, counter 0
    EXPECT_EQ(rig.hud.shown.last(), u"Code copied | [bob]");
    rig.press(keyJ);
    EXPECT_EQ(rig.clipboard.text(), u"94287082"); // counter 1
    rig.hotp.counter = 2;
    rig.store.reload();
    EXPECT_EQ(rig.store.accounts(), (QList<Account>{rig.totp, rig.hotp}))
        << "only the HOTP counter moved, and was stored";
}

TEST(HotKeyController, NoCodeOnTheClipboardMeansNoCounterStepNoPasteAndSaysWhy)
{
    const struct
    {
        int digits;
        bool clipboardRefuses;
        QString title;
    } cases[] = {
        {12, false, u"Code unavailable"_s},
        {6, true, u"Copy failed"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        Rig rig;
        Account account = makeAccount(u"carol"_s, u"Broken"_s, OTPType::hotp, 5);
        account.digits = c.digits;
        rig.store.addAccounts({account});
        HotKeyBinding binding = makeBinding(account.id, keyK);
        binding.autoPaste = true;
        rig.clipboard.refuses = c.clipboardRefuses;
        rig.start({binding});
        rig.press(keyK);
        EXPECT_EQ(rig.clipboard.writes(), 0);
        EXPECT_EQ(rig.hud.shown, QStringList{c.title + u" | [Broken]: [carol]"_s});
        EXPECT_EQ(rig.sounds.played(), QStringList{u"alert"_s});
        EXPECT_EQ(rig.store.accounts().last().counter, 5u) << "no code was handed out";
        EXPECT_EQ(rig.keys.modifierQueries(), 0) << "nothing to paste";
    }
}

TEST(HotKeyController, AutoPasteWaitsForTheModifiersAndTitlesTheOutcome)
{
    const struct
    {
        const char* name;
        bool allowed;
        std::function<bool(int query)> modifiersHeld;
        bool sendSucceeds;
        QString title;
        int pastes;
    } cases[] = {
        {"released", true, [](int query) { return query <= 3; }, true, u"Code pasted"_s, 1},
        {"held past the limit", true, [](int) { return true; }, true, u"Code copied"_s, 0},
        {"keystrokes failed", true, {}, false, u"Code copied"_s, 1},
        {"not allowed", false, {}, true, u"Copied (paste not allowed)"_s, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        HotKeyBinding binding = makeBinding(rig.totp.id, keyK);
        binding.autoPaste = true;
        rig.keys.setAllowed(c.allowed);
        rig.keys.setModifiersHeld(c.modifiersHeld);
        rig.keys.setSendSucceeds(c.sendSucceeds);
        rig.start({binding});
        rig.press(keyK);
        EXPECT_EQ(rig.clipboard.text(), u"94287082");
        EXPECT_EQ(rig.hud.shown.isEmpty(), c.allowed) << "the title waits for the outcome";
        ASSERT_TRUE(QTest::qWaitFor([&] { return !rig.hud.shown.isEmpty(); }, 3000));
        EXPECT_EQ(rig.hud.shown, QStringList{c.title + u" | [Example]: [alice]"_s});
        EXPECT_EQ(rig.sounds.played(), QStringList{u"confirmation"_s});
        EXPECT_EQ(rig.keys.pastes(), c.pastes);
        EXPECT_FALSE(rig.keys.modifiersHeldAtPaste());
        EXPECT_EQ(rig.keys.permissionRequests(), c.allowed ? 0 : 1);
    }
}

} // namespace

// While a key recorder records, no combination may be held, or the one being re-recorded is
// taken by the grab and copies a code instead of reaching the recorder.
TEST(HotKeyController, SuspendedHoldsNothingAndResumingRegistersTheBindingsAsTheyAreThen)
{
    Rig rig;
    HotKeyBinding rerecorded = makeBinding(rig.totp.id, keyK);
    rig.start({rerecorded, makeBinding(rig.hotp.id, keyJ)});
    // Delivered just before the recorder started, still queued when it does.
    rig.service.pressID(rig.service.registrationOf(keyK, commandShiftOption)->hotKeyID);
    rig.controller->setSuspended(true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(rig.service.registrations().isEmpty());
    EXPECT_FALSE(rig.service.press(keyK, commandShiftOption));

    // Recorded while suspended: the debounced synchronisation must not take the grabs back.
    rerecorded.keyCode = keyL;
    rig.settings.updateBinding(rerecorded);
    rig.settle();
    QCoreApplication::processEvents();
    EXPECT_TRUE(rig.service.registrations().isEmpty());
    EXPECT_TRUE(rig.nothingHappened());

    rig.controller->setSuspended(false);
    EXPECT_FALSE(rig.service.registrationOf(keyK, commandShiftOption));
    EXPECT_TRUE(rig.service.registrationOf(keyJ, commandShiftOption));
    rig.press(keyL);
    EXPECT_EQ(rig.clipboard.text(), u"94287082");

    // Resumed before the debounce ran out: the latest combination holds at once, and the
    // pending synchronisation adds nothing.
    rig.controller->setSuspended(true);
    rerecorded.keyCode = keyH;
    rig.settings.updateBinding(rerecorded);
    rig.controller->setSuspended(false);
    EXPECT_TRUE(rig.service.registrationOf(keyH, commandShiftOption));
    EXPECT_FALSE(rig.service.registrationOf(keyL, commandShiftOption));
    const int calls = rig.service.registerCalls();
    QTest::qWait(HotKeyController::debounceMilliseconds + 50);
    EXPECT_EQ(rig.service.registerCalls(), calls);
}

// With every diagnostic category on, the storage and hotkey paths (failures included) leave
// traces, but never a secret or a code.
TEST(Diagnostics, NoSecretOrCodeReachesTheLog)
{
    static QStringList logged;
    logged.clear();
    QLoggingCategory::setFilterRules(u"brisvane.*=true"_s);
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& m) { logged.append(m); });
    QStringList codes;
    {
        Rig rig;
        rig.service.holdElsewhere(keyL, commandShiftOption);
        rig.start(
            {makeBinding(rig.totp.id, keyK), makeBinding(rig.hotp.id, keyJ), makeBinding(rig.hotp.id, keyL)});
        rig.press(keyK);
        codes << rig.clipboard.text();
        rig.items.failEverything(SecureItemStatusCode::locked);
        rig.press(keyJ); // the counter write fails: the account stays in memory
        codes << rig.clipboard.text();
        rig.store.reload();
        rig.items.clearFailures();
        rig.press(keyJ);
        codes << rig.clipboard.text();
        rig.store.deleteAccount(rig.totp.id);
    }
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());

    const QString all = logged.join(u'\n');
    const std::string shown = all.toStdString();
    EXPECT_TRUE(all.contains(comboDisplayString(keyL, commandShiftOption) + u" refused"_s)) << shown;
    EXPECT_TRUE(all.contains(u"-25308"_s)) << "the keyring failure is logged: " << shown;
    for (const QString& secret :
         {u"12345678901234567890"_s, u"GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ"_s, u"MTIzNDU2Nzg5MDEyMzQ1Njc4OTA"_s,
          u"3132333435363738393031323334353637383930"_s})
        EXPECT_FALSE(all.contains(secret, Qt::CaseInsensitive)) << secret.toStdString();
    EXPECT_EQ(codes.size(), 3);
    for (const QString& code : codes)
        EXPECT_FALSE(code.isEmpty() || all.contains(code)) << code.toStdString();
}

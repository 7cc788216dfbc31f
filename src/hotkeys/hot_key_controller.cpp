// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotkeys/hot_key_controller.h"

#include "core/account.h"
#include "core/otp_code.h"
#include "hotkeys/copy_feedback.h"
#include "hotkeys/hot_key.h"
#include "hotkeys/hotkeys_log.h"
#include "hotkeys/key_names.h"
#include "platform/clipboard.h"
#include "platform/keystroke_sender.h"
#include "platform/sound_player.h"
#include "settings/app_settings.h"
#include "storage/account_store.h"

#include <QPointer>
#include <QSet>
#include <algorithm>

namespace {

std::uint64_t combination(const HotKeyBinding& binding)
{
    return (std::uint64_t{binding.keyCode} << 32) | binding.modifiers;
}

const HotKeyBinding* findBinding(const QList<HotKeyBinding>& bindings, const QUuid& id)
{
    const auto it =
        std::find_if(bindings.begin(), bindings.end(), [&](const HotKeyBinding& b) { return b.id == id; });
    return it == bindings.end() ? nullptr : &*it;
}

const Account* findAccount(const QList<Account>& accounts, const QUuid& id)
{
    const auto it =
        std::find_if(accounts.begin(), accounts.end(), [&](const Account& a) { return a.id == id; });
    return it == accounts.end() ? nullptr : &*it;
}

} // namespace

HotKeyController::HotKeyController(AccountStore& store, AppSettings& settings, HotKeyService& hotKeys,
                                   Clipboard& clipboard, KeystrokeSender& keystrokes, SoundPlayer& sounds,
                                   CopyFeedback& hud, QObject* parent)
    : QObject(parent), m_store(store), m_settings(settings), m_clipboard(clipboard), m_keystrokes(keystrokes),
      m_sounds(sounds), m_hud(hud), m_registry(hotKeys)
{
    m_debounce.setSingleShot(true);
    m_debounce.setInterval(debounceMilliseconds);
    connect(&m_debounce, &QTimer::timeout, this, [this] { syncHotKeys(m_pendingBindings); });
    connect(&m_settings, &AppSettings::bindingsChanged, this, &HotKeyController::receiveBindings);
    // Under another layout the same combinations may sit on other keys, or on none.
    hotKeys.setKeyboardChangeHandler([this] { resyncNow(); });
    hotKeys.setAssignmentHandler([this] { Q_EMIT desktopTriggersChanged(); });

    // The current list counts as the first one received: it is synchronised once the
    // debounce runs out, and an identical assignment before then changes nothing.
    m_lastReceived = m_settings.bindings();
    m_pendingBindings = m_lastReceived;
    m_debounce.start();
    QTimer::singleShot(0, this, [this] { syncHotKeys(m_settings.bindings()); });
}

HotKeyController::~HotKeyController()
{
    m_registry.service().setKeyboardChangeHandler({});
    m_registry.service().setAssignmentHandler({});
}

void HotKeyController::receiveBindings(const QList<HotKeyBinding>& bindings)
{
    if (bindings == m_lastReceived)
        return;
    m_lastReceived = bindings;
    m_pendingBindings = bindings;
    m_debounce.start();
}

void HotKeyController::syncHotKeys(const QList<HotKeyBinding>& bindings)
{
    // Unregister everything before registering anything, so a combination that moved from
    // one binding to another is free again.
    m_hotKeys.clear();
    if (m_suspended)
        return;

    QSet<std::uint64_t> taken;
    for (const HotKeyBinding& binding : bindings) {
        if (!binding.enabled || !binding.accountID || binding.keyCode == 0 ||
            taken.contains(combination(binding)))
            continue;
        const QUuid bindingID = binding.id;
        QPointer<HotKeyController> self(this);
        auto hotKey =
            std::make_unique<HotKey>(m_registry, binding.keyCode, binding.modifiers, [self, bindingID] {
                if (self)
                    self->copyCode(bindingID);
            });
        if (!hotKey->registerHotKey()) {
            qCWarning(lcHotkeys).noquote()
                << "hotkey" << comboDisplayString(binding.keyCode, binding.modifiers)
                << "refused: another program holds it, or this keyboard lacks the key";
            continue;
        }
        const Account* account = findAccount(m_store.accounts(), *binding.accountID);
        m_registry.service().describeHotKey(*hotKey->handle(), bindingID.toString(QUuid::WithoutBraces),
                                            account ? accountLabel(*account) : QStringLiteral("Brisvane"));
        m_hotKeys[bindingID] = std::move(hotKey);
        taken.insert(combination(binding));
    }
}

void HotKeyController::setSuspended(bool suspended)
{
    if (suspended == m_suspended)
        return;
    m_suspended = suspended;
    resyncNow();
}

void HotKeyController::resyncNow()
{
    // The settings hold the latest bindings, so a pending debounced list is outdated.
    m_debounce.stop();
    syncHotKeys(m_settings.bindings());
}

void HotKeyController::copyCode(const QUuid& bindingID)
{
    const HotKeyBinding* found = findBinding(m_settings.bindings(), bindingID);
    if (!found || !found->accountID)
        return;
    const HotKeyBinding binding = *found;
    const Account* foundAccount = findAccount(m_store.accounts(), *binding.accountID);
    if (!foundAccount)
        return;
    const Account account = *foundAccount;
    const QString subtitle = displayLabel(account);

    const QString code = account.code(m_clock());
    if (!isCode(code)) {
        // The placeholder must never reach the clipboard, and a HOTP counter must not move
        // for a code nobody got.
        m_hud.show(tr(titleUnavailable.toUtf8().constData()), subtitle, panelSeconds);
        m_sounds.playAlert();
        return;
    }

    if (!m_clipboard.setSecretText(code)) {
        // Nobody got the code: the counter stays and nothing is pasted.
        m_hud.show(tr(titleCopyFailed.toUtf8().constData()), subtitle, panelSeconds);
        m_sounds.playAlert();
        return;
    }
    // The copied code is the one for the counter before the advance.
    m_store.incrementCounter(account);

    if (!binding.autoPaste) {
        confirm(titleCopied, subtitle);
    } else if (m_keystrokes.canSendKeystrokes()) {
        pasteThenConfirm(subtitle);
    } else {
        confirm(titlePasteNotAllowed, subtitle);
        m_keystrokes.requestPermission();
    }
}

void HotKeyController::pasteThenConfirm(const QString& subtitle)
{
    // The panel waits for the outcome: "Code pasted" only when the keystrokes went out.
    auto* paste = new PasteAfterRelease(m_keystrokes, m_pasteTiming, this);
    paste->start([this, paste, subtitle](bool pasted) {
        confirm(pasted ? titlePasted : titleCopied, subtitle);
        paste->deleteLater();
    });
}

void HotKeyController::confirm(const QString& title, const QString& subtitle)
{
    m_hud.show(tr(title.toUtf8().constData()), subtitle, panelSeconds);
    m_sounds.playConfirmation();
}

std::optional<QString> HotKeyController::desktopTrigger(const QUuid& bindingID) const
{
    const auto found = m_hotKeys.find(bindingID);
    if (found == m_hotKeys.end() || !found->second->handle())
        return std::nullopt;
    return m_registry.service().assignedTrigger(*found->second->handle());
}

QList<QUuid> HotKeyController::registeredBindingIDs() const
{
    QList<QUuid> ids;
    for (const auto& [id, hotKey] : m_hotKeys)
        ids.append(id);
    return ids;
}

void HotKeyController::setClock(std::function<Instant()> clock)
{
    m_clock = std::move(clock);
}

void HotKeyController::setPasteTiming(PasteAfterRelease::Timing timing)
{
    m_pasteTiming = timing;
}

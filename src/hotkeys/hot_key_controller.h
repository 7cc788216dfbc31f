// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/instant.h"
#include "hotkeys/hot_key_registry.h"
#include "hotkeys/paste_after_release.h"
#include "settings/hot_key_binding.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUuid>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class AccountStore;
class AppSettings;
class Clipboard;
class CopyFeedback;
class HotKey;
class HotKeyService;
class KeystrokeSender;
class SoundPlayer;

// Keeps the registered system hotkeys in step with the bindings of AppSettings and turns a
// press into a copied (and optionally pasted) code, confirmed by the copy panel and a sound.
// One per process, created by the application shell and kept to the end; everything runs on
// the GUI thread.
class HotKeyController : public QObject
{
    Q_OBJECT
public:
    // The panel's titles in English; the panel shows them translated.
    static inline const QString titleCopied =
        QString::fromUtf8(QT_TRANSLATE_NOOP("HotKeyController", "Code copied"));
    static inline const QString titlePasted =
        QString::fromUtf8(QT_TRANSLATE_NOOP("HotKeyController", "Code pasted"));
    static inline const QString titlePasteNotAllowed =
        QString::fromUtf8(QT_TRANSLATE_NOOP("HotKeyController", "Copied (paste not allowed)"));
    // The account cannot produce a code (unusable digits or period): nothing is copied.
    static inline const QString titleUnavailable =
        QString::fromUtf8(QT_TRANSLATE_NOOP("HotKeyController", "Code unavailable"));
    // The desktop refused the clipboard change: nothing is copied, counted or pasted.
    static inline const QString titleCopyFailed =
        QString::fromUtf8(QT_TRANSLATE_NOOP("HotKeyController", "Copy failed"));
    static constexpr double panelSeconds = 1.4;
    static constexpr int debounceMilliseconds = 120;

    // Everything passed in must outlive the controller. The hotkey service gets its press
    // handler from the controller. The first synchronisation is queued, not done here.
    HotKeyController(AccountStore& store, AppSettings& settings, HotKeyService& hotKeys, Clipboard& clipboard,
                     KeystrokeSender& keystrokes, SoundPlayer& sounds, CopyFeedback& hud,
                     QObject* parent = nullptr);
    ~HotKeyController() override;

    // Replaces every registered hotkey by those of the usable bindings: enabled, with an
    // account and a key, and the first of the list with their combination that the system
    // accepted. While suspended it only unregisters.
    void syncHotKeys(const QList<HotKeyBinding>& bindings);

    // While suspended no combination is held, so a key recorder can capture one that is
    // already bound instead of the press copying a code. Resuming registers the bindings as
    // they are then, including edits made meanwhile.
    void setSuspended(bool suspended);
    bool isSuspended() const { return m_suspended; }

    // A press of that binding. Does nothing when the binding or its account is gone.
    void copyCode(const QUuid& bindingID);

    // The bindings that currently hold a system hotkey.
    QList<QUuid> registeredBindingIDs() const;
    // Where the desktop decides the keys: what it assigned to the binding when that differs
    // from the recorded combination (an empty text: no key at all). Absent when it is as
    // recorded, not known yet, or the binding holds no hotkey.
    std::optional<QString> desktopTrigger(const QUuid& bindingID) const;
    // True while changed bindings wait out the debounce.
    bool isSyncPending() const { return m_debounce.isActive(); }

    // For tests: the time codes are computed for, and the paste waiting times.
    void setClock(std::function<Instant()> clock);
    void setPasteTiming(PasteAfterRelease::Timing timing);

Q_SIGNALS:
    // desktopTrigger() may answer differently now.
    void desktopTriggersChanged();

private:
    void receiveBindings(const QList<HotKeyBinding>& bindings);
    void resyncNow();
    void confirm(const QString& title, const QString& subtitle);
    void pasteThenConfirm(const QString& subtitle);

    AccountStore& m_store;
    AppSettings& m_settings;
    Clipboard& m_clipboard;
    KeystrokeSender& m_keystrokes;
    SoundPlayer& m_sounds;
    CopyFeedback& m_hud;
    HotKeyRegistry m_registry; // before m_hotKeys: they unregister through it
    std::map<QUuid, std::unique_ptr<HotKey>> m_hotKeys;
    QList<HotKeyBinding> m_lastReceived;
    QList<HotKeyBinding> m_pendingBindings;
    QTimer m_debounce;
    std::function<Instant()> m_clock = currentInstant;
    PasteAfterRelease::Timing m_pasteTiming;
    bool m_suspended = false;
};

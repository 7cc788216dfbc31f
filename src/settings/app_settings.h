// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/hot_key_binding.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QUuid>
#include <QVariant>
#include <optional>

class QSettings;

// The user's preferences and hotkey bindings. Everything is read once at construction (which
// writes nothing) and each change is written through to the store at once.
//
// Stored binding data that cannot be read loads as an empty list; before the first write
// replaces it, the data is copied to "hotkeyBindings.v1.unreadable" (or ".unreadable.2", ...
// when that is taken by other data), so the user's bindings can still be recovered.
class AppSettings : public QObject
{
    Q_OBJECT

public:
    // The application passes QSettings(NativeFormat, UserScope, "brisvane", "brisvane").
    explicit AppSettings(QSettings& store, QObject* parent = nullptr);

    const QList<HotKeyBinding>& bindings() const { return m_bindings; }
    void setBindings(const QList<HotKeyBinding>& bindings);
    // Replaces every binding with this id; nothing happens when there is none.
    void updateBinding(const HotKeyBinding& binding);
    // Appends an empty binding (Ctrl+Alt+Shift, no key, no account), enabled, without auto-paste.
    void addBinding();
    // Persists even when no binding has this id.
    void removeBinding(const QUuid& id);
    void persistBindings();

    bool showCodeInMenuBar() const { return m_showCodeInMenuBar; }
    void setShowCodeInMenuBar(bool show);

    std::optional<QUuid> menuBarAccountID() const { return m_menuBarAccountID; }
    void setMenuBarAccountID(std::optional<QUuid> id);

    bool revealCodesInMenu() const { return m_revealCodesInMenu; }
    void setRevealCodesInMenu(bool reveal);

    const QSet<QUuid>& menuBarHiddenAccountIDs() const { return m_menuBarHiddenAccountIDs; }
    void setMenuBarHiddenAccountIDs(const QSet<QUuid>& ids);
    void setAccountShownInMenu(const QUuid& id, bool shown);

    // Seconds after which a copied code is taken off the clipboard again; 0 keeps it.
    static constexpr int defaultClearClipboardSeconds = 30;
    static constexpr int maxClearClipboardSeconds = 3600;
    int clearClipboardSeconds() const { return m_clearClipboardSeconds; }
    // Values outside 0 ... maxClearClipboardSeconds are clamped.
    void setClearClipboardSeconds(int seconds);

    // The user dismissed the notice shown when nothing can tell whether the clock is synchronised.
    bool clockNoticeDismissed() const { return m_clockNoticeDismissed; }
    void setClockNoticeDismissed(bool dismissed);

    // Why the latest write could not be saved (a read-only or full settings folder); absent
    // once a write is known to have landed. The windows show it.
    const std::optional<QString>& writeError() const { return m_writeError; }

    // True from a load that found unreadable binding data until that data has been set aside.
    bool hasUnreadableStoredBindings() const { return m_unreadableBindings.isValid(); }

Q_SIGNALS:
    // Every assignment signals, also of an equal value, after the value is stored.
    void bindingsChanged(const QList<HotKeyBinding>& bindings);
    void showCodeInMenuBarChanged(bool show);
    void menuBarAccountIDChanged();
    void revealCodesInMenuChanged(bool reveal);
    void menuBarHiddenAccountIDsChanged();
    void clearClipboardSecondsChanged(int seconds);
    void writeErrorChanged();

private:
    void load();
    void setUnreadableBindingsAside();
    void persistMenuBarHiddenAccountIDs();
    void write(const QString& key, const QVariant& value);
    void syncAndCheck();

    QSettings& m_store;
    QList<HotKeyBinding> m_bindings;
    bool m_showCodeInMenuBar = true;
    std::optional<QUuid> m_menuBarAccountID;
    bool m_revealCodesInMenu = true;
    QSet<QUuid> m_menuBarHiddenAccountIDs;
    int m_clearClipboardSeconds = defaultClearClipboardSeconds;
    bool m_clockNoticeDismissed = false;
    QVariant m_unreadableBindings; // the stored value as it was found, until set aside
    std::optional<QString> m_writeError;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "settings/hot_key_binding.h"

#include <QList>
#include <QWidget>
#include <functional>
#include <optional>

class AppSettings;
class QCheckBox;
class QComboBox;
class QLabel;
class QToolButton;
class RecorderButton;

// One binding of the Hotkeys tab: enable switch, account picker, key recorder, auto-paste
// switch and remove button. Every edit goes straight into the settings, which store it.
class HotKeysTabBindingRow : public QWidget
{
    Q_OBJECT
public:
    // The settings must outlive the row.
    HotKeysTabBindingRow(AppSettings& settings, const HotKeyBinding& binding, QWidget* parent = nullptr);

    const QUuid& bindingID() const { return m_binding.id; }
    // Shows the binding's current values, the accounts to pick from and the paste permission;
    // `shadowed` marks a combination an earlier binding already uses.
    void setContent(const HotKeyBinding& binding, const QList<Account>& accounts, bool canSendKeystrokes,
                    bool shadowed = false);
    QLabel* conflictMark() const { return m_conflict; }

    // What the desktop assigned when it differs from the recorded combination (see
    // desktopTriggerText); nothing shows for an absent one.
    void setDesktopTrigger(const std::optional<QString>& trigger);
    QLabel* desktopTriggerLabel() const { return m_desktopTrigger; }

    QCheckBox* enabledSwitch() const { return m_enabled; }
    QComboBox* accountPicker() const { return m_account; }
    RecorderButton* recorderButton() const { return m_recorder; }
    QToolButton* autoPasteSwitch() const { return m_autoPaste; }
    QToolButton* removeButton() const { return m_remove; }

Q_SIGNALS:
    // Auto-paste was switched on in a session that does not allow pasting.
    void permissionWanted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Edits start from the stored binding, so a change made elsewhere is never undone.
    void edit(const std::function<void(HotKeyBinding&)>& change);

    AppSettings& m_settings;
    HotKeyBinding m_binding;
    bool m_canSendKeystrokes = true;
    QCheckBox* m_enabled;
    QComboBox* m_account;
    RecorderButton* m_recorder;
    QToolButton* m_autoPaste;
    QToolButton* m_remove;
    QLabel* m_conflict;
    QLabel* m_desktopTrigger;
};

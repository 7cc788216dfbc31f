// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

class AccountStore;
class AppSettings;
class GeneralTab;
class HotKeysTab;
class KeystrokeSender;
class LoginItem;
class QTabWidget;

// The settings window: a fixed 660 × 460 window with the General and Hotkeys tabs.
class SettingsWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int windowWidth = 660;
    static constexpr int windowHeight = 460;

    // `keyringManager` is the program "Open Keyring Manager" starts (findKeyringManager());
    // empty hides that button. Everything passed in must outlive the window.
    SettingsWindow(AccountStore& store, AppSettings& settings, LoginItem& loginItem,
                   KeystrokeSender& keystrokes, QString keyringManager, QWidget* parent = nullptr);

    // Shows the window and brings it to the front.
    void present();

    QTabWidget* tabs() const { return m_tabs; }
    GeneralTab* generalTab() const { return m_general; }
    HotKeysTab* hotKeysTab() const { return m_hotKeys; }

private:
    QTabWidget* m_tabs;
    GeneralTab* m_general;
    HotKeysTab* m_hotKeys;
};

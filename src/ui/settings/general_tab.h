// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <optional>

class AccountStore;
class AppSettings;
class LoginItem;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QVBoxLayout;

// The General tab of the settings window: launch at login, the code in the tray and which
// accounts the tray window lists, and where the accounts are kept.
class GeneralTab : public QWidget
{
    Q_OBJECT
public:
    static constexpr int statusRefreshMs = 1500;

    // `keyringManager` is the program behind "Open Keyring Manager"; empty hides the button.
    // The shared objects must outlive the tab.
    GeneralTab(AccountStore& store, AppSettings& settings, LoginItem& loginItem, QString keyringManager,
               QWidget* parent = nullptr);

    bool launchAtLogin() const { return m_launchAtLogin; }
    const std::optional<QString>& statusMessage() const { return m_statusMessage; }
    bool isRefreshing() const { return m_refreshTimer.isActive(); }

    // What the launch switch does when the user flips it.
    void setLaunchAtLogin(bool on);
    // Re-reads the login item: the real state lives there, not here.
    void refreshStatus();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildStartup();
    QWidget* buildTray();
    QWidget* buildClipboard();
    QWidget* buildSecureStorage();
    void rebuildAccounts();
    void refreshAccountPicker();
    void refreshShownAccounts();
    void refreshVisibility();
    void openKeyringManager();

    AccountStore& m_store;
    AppSettings& m_settings;
    LoginItem& m_loginItem;
    QString m_keyringManager;

    bool m_launchAtLogin = false;
    std::optional<QString> m_statusMessage;
    QTimer m_refreshTimer;

    QCheckBox* m_launchSwitch = nullptr;
    QWidget* m_statusRow = nullptr;
    QLabel* m_statusText = nullptr;
    QCheckBox* m_showCodeSwitch = nullptr;
    QWidget* m_accountRow = nullptr;
    QComboBox* m_accountPicker = nullptr;
    QWidget* m_shownAccountsBlock = nullptr;
    QScrollArea* m_shownAccountsArea = nullptr;
    QScrollArea* m_page = nullptr;
    QVBoxLayout* m_shownAccountsLayout = nullptr;
    QList<QCheckBox*> m_shownAccountBoxes;
    QLabel* m_keyringLaunchError = nullptr;
    QCheckBox* m_clearClipboardSwitch = nullptr;
    QSpinBox* m_clearClipboardSeconds = nullptr;
};

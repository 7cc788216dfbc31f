// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QSet>
#include <QTimer>
#include <QUuid>
#include <QWidget>
#include <functional>
#include <optional>

class AccountStore;
class AppSettings;
class HotKeysTabBindingRow;
class KeystrokeSender;
class QLabel;
class QScrollArea;
class QVBoxLayout;
class RecorderButton;

// The Hotkeys tab of the settings window: one editable row per binding, adding and removing
// bindings, how many of them work, and a warning when auto-paste cannot work in this session.
class HotKeysTab : public QWidget
{
    Q_OBJECT
public:
    static constexpr int permissionPollMs = 1500;

    // The shared objects must outlive the tab.
    HotKeysTab(AccountStore& store, AppSettings& settings, KeystrokeSender& keystrokes,
               QWidget* parent = nullptr);
    ~HotKeysTab() override;

    bool canSendKeystrokes() const { return m_canSendKeystrokes; }
    bool isPolling() const { return m_pollTimer.isActive(); }
    QList<HotKeysTabBindingRow*> rows() const { return m_rows; }
    bool isRecording() const { return !m_recording.isEmpty(); }

    // Re-reads whether this session lets us type into other applications.
    void refreshPermission();

    // A strip under the title naming why hotkeys cannot work here; empty hides it.
    void setSessionNotice(const QString& text);
    QLabel* sessionNotice() const { return m_sessionNotice; }
    // Where the desktop decides the keys: the lookup of what it assigned per binding
    // (HotKeyController::desktopTrigger). Rows show it; call refresh when it changes.
    void setDesktopTriggers(std::function<std::optional<QString>(const QUuid&)> lookup);
    void refreshDesktopTriggers();

Q_SIGNALS:
    // True while any row records a key combination. Global hotkeys must pause meanwhile, or
    // a combination already bound never reaches the recorder.
    void recordingChanged(bool recording);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildWarning();
    QWidget* buildEmptyState();
    QWidget* buildFooter();
    // Rows follow the bindings by id, so a row being edited is never rebuilt under the user.
    void syncRows();
    void refreshDerived();
    void noteRecording(const RecorderButton* recorder, bool recording);

    AccountStore& m_store;
    AppSettings& m_settings;
    KeystrokeSender& m_keystrokes;
    bool m_canSendKeystrokes;
    QTimer m_pollTimer;

    std::function<std::optional<QString>(const QUuid&)> m_desktopTriggers;
    QLabel* m_sessionNotice = nullptr;
    QWidget* m_warning = nullptr;
    QWidget* m_emptyState = nullptr;
    QScrollArea* m_list = nullptr;
    QVBoxLayout* m_listLayout = nullptr;
    QLabel* m_count = nullptr;
    QList<HotKeysTabBindingRow*> m_rows;
    QSet<const RecorderButton*> m_recording;
};

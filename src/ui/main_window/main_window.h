// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"

#include <QList>
#include <QPointer>
#include <QUuid>
#include <QWidget>
#include <chrono>
#include <functional>
#include <optional>

class AccountListModel;
class AccountListView;
class AccountRowDelegate;
class AccountStore;
class AppSettings;
class ClockNotice;
class ClockSync;
class Clipboard;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QREncoder;
class QToolButton;
class QVariantAnimation;
class QStackedWidget;
class TickingClock;
class UndoDeleteBar;

// The main window: header with search and Add, the account list or the empty state, and a
// red footer with the store's latest storage error.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    // Builds the add-account dialog over a parent; the dialog calls onAdd with the accounts
    // the user chose and closes itself.
    using AddSheetFactory =
        std::function<QDialog*(QWidget* parent, std::function<void(const QList<Account>&)> onAdd)>;
    // Runs a piece of work on this thread after a delay; replaceable so tests control time.
    using DelayedCall = std::function<void(std::chrono::milliseconds, std::function<void()>)>;

    static constexpr std::chrono::milliseconds copiedIndicatorDelay{1500};
    // Each change of a countdown ring moves over this long.
    static constexpr std::chrono::milliseconds ringAnimationDuration{500};
    // Adds of this many accounts or more keep the add dialog open, counting the writes.
    static constexpr qsizetype countedAddSize = 20;

    MainWindow(AccountStore& store, TickingClock& clock, Clipboard& clipboard, AddSheetFactory addSheet,
               QWidget* parent = nullptr, DelayedCall delayedCall = {});
    ~MainWindow() override;

    // Copies the account's code for the clock's current instant (never a placeholder) and
    // marks its row for copiedIndicatorDelay.
    void copyAccountCode(const Account& account);
    void showAddSheet();
    // Opens the add dialog (or uses the open one) with a setup link pasted, for the user to confirm.
    void showAddSheetWithLink(const QString& link);
    // A line about what this desktop session cannot do, shown above the error footer.
    void setSessionNotice(const QString& text);
    // Shows a notice while the system clock is not synchronised. Both must outlive the window.
    void watchClock(ClockSync& sync, AppSettings& settings);
    // Enables "Show QR Code"; the encoder must outlive the window.
    void setQREncoder(const QREncoder* encoder);

    void showQRCode(int row);
    void editRow(int row);
    // Puts back the most recently deleted account, at its old place, while the notice shows.
    void undoDelete();

    const std::optional<QUuid>& copiedAccountID() const { return m_copiedAccountID; }
    bool showingAddSheet() const { return m_showingAddSheet; }
    QString searchText() const;

    QLineEdit* searchField() const { return m_searchField; }
    QPushButton* addButton() const { return m_addButton; }
    // Beside Add: Export, Settings and Quit, so all are reachable on a desktop without a tray.
    QToolButton* menuButton() const { return m_menuButton; }
    AccountListView* listView() const { return m_listView; }
    AccountListModel* listModel() const { return m_model; }
    AccountRowDelegate* rowDelegate() const { return m_delegate; }
    QWidget* emptyState() const { return m_emptyState; }
    QLabel* errorFooter() const { return m_errorFooter; }
    // "What does this mean?" beside a keyring error the README explains.
    QLabel* errorHelpLink() const { return m_errorHelpLink; }
    QLabel* sessionNotice() const { return m_sessionNotice; }
    ClockNotice* clockNotice() const { return m_clockNotice; }
    UndoDeleteBar* undoBar() const { return m_undoBar; }

Q_SIGNALS:
    // The window's content appeared for the first time.
    void contentShown();
    // The menu's Export entry.
    void exportRequested();
    // The menu's Settings entry or Ctrl+comma.
    void settingsRequested();
    // The menu's About entry.
    void aboutRequested();
    // The menu's Quit entry or Ctrl+Q; the shell decides whether the program may end.
    void quitRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildEmptyState();
    void updateContent();
    void updateErrorFooter();
    void explainError();
    void updateRows();
    void moveRings(double fraction);
    // Tells the open add dialog how far a large add has been written; done == total when over.
    void reportAddProgress(int done, int total);
    void deleteRow(int row);
    void incrementRow(int row);
    void moveRows(const QList<qsizetype>& sourceRows, qsizetype destination);
    void setCopiedAccountID(std::optional<QUuid> id);

    AccountStore& m_store;
    TickingClock& m_clock;
    Clipboard& m_clipboard;
    AddSheetFactory m_addSheet;
    DelayedCall m_delayedCall;

    const QREncoder* m_qrEncoder = nullptr;
    std::optional<QUuid> m_copiedAccountID;
    std::optional<QUuid> m_keyboardAccountID; // the current row's account across a rebuild
    // The account of the latest delete and where it stood, while it can be undone.
    std::optional<std::pair<Account, qsizetype>> m_deleted;
    int m_deleteCount = 0;
    bool m_showingAddSheet = false;
    QPointer<QDialog> m_addSheetDialog;
    bool m_contentShown = false;

    AccountListModel* m_model = nullptr;
    AccountRowDelegate* m_delegate = nullptr;
    AccountListView* m_listView = nullptr;
    QLineEdit* m_searchField = nullptr;
    QPushButton* m_addButton = nullptr;
    QToolButton* m_menuButton = nullptr;
    QVariantAnimation* m_ringAnimation = nullptr;
    QStackedWidget* m_content = nullptr;
    QWidget* m_emptyState = nullptr;
    QLabel* m_sessionNotice = nullptr;
    ClockNotice* m_clockNotice = nullptr;
    QLabel* m_errorFooter = nullptr;
    UndoDeleteBar* m_undoBar = nullptr;
    QLabel* m_errorHelpLink = nullptr;
    QWidget* m_errorBar = nullptr;
};

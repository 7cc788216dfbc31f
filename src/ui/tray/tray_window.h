// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/tray/tray_list_height.h"

#include <QList>
#include <QUuid>
#include <QWidget>
#include <optional>

class AccountStore;
class AppSettings;
class Clipboard;
class QCheckBox;
class QLabel;
class QScrollArea;
class QVBoxLayout;
class TickingClock;
class TrayRow;

// The small window that opens from the tray icon: the accounts chosen for it with one-click
// copy, hidden or revealed codes and up/down moves, and the way to the main window, the
// settings and quitting. A popup: it closes as soon as the user clicks anywhere else.
class TrayWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int windowWidth = 340;

    // The shared objects must outlive the window.
    TrayWindow(AccountStore& store, TickingClock& clock, AppSettings& settings, Clipboard& clipboard,
               QWidget* parent = nullptr);

    // Opens the window with its top-left corner at `position` and takes the keyboard.
    void popUp(const QPoint& position);

    // Builds the rows now if the accounts changed while the window was closed; popUp() and
    // show() do it themselves, this is for sizing the window before it opens.
    void ensureRowsBuilt();
    void setVisible(bool visible) override;

    // For tests and the screenshot tool: the rows as last laid out (current while the window is
    // open), and the list area.
    QList<TrayRow*> rows() const { return m_rows; }
    const TrayListHeight& listHeight() const { return m_listHeight; }
    QScrollArea* listArea() const { return m_listArea; }
    std::optional<QUuid> copiedID() const { return m_copiedID; }

    void copyAccountCode(const QUuid& id);
    void moveUp(const QUuid& id);
    void moveDown(const QUuid& id);

Q_SIGNALS:
    void openMainWindowRequested();
    void settingsRequested();
    void quitRequested();
    // The window went away (a click elsewhere, Escape, or one of the actions above).
    void hidden();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildNoAccounts();
    QWidget* buildNothingShown();
    QWidget* buildFooter();
    // Rows follow the accounts and the hidden set, but only while the window is open: a closed
    // window just notes that its rows are out of date. Codes and rings follow the clock.
    void onAccountsChanged();
    void rebuild();
    void refreshRows();
    void measureList();
    void closeThen(void (TrayWindow::*signal)());

    AccountStore& m_store;
    TickingClock& m_clock;
    AppSettings& m_settings;
    Clipboard& m_clipboard;

    QCheckBox* m_showCodes = nullptr;
    QWidget* m_noAccounts = nullptr;
    QWidget* m_nothingShown = nullptr;
    QScrollArea* m_listArea = nullptr;
    QWidget* m_listContent = nullptr;
    QVBoxLayout* m_listLayout = nullptr;
    QList<TrayRow*> m_rows;
    // Rows cost about a millisecond each, so none are built before the window first opens.
    bool m_rowsOutOfDate = true;

    std::optional<QUuid> m_copiedID;
    TrayListHeight m_listHeight;
};

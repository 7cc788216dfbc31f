// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/general_tab.h"

#include "core/uuid_text.h"
#include "platform/login_item.h"
#include "settings/app_settings.h"
#include "storage/account_store.h"
#include "ui/settings/settings_window_widgets.h"
#include "ui/widgets/app_icons.h"
#include "ui/widgets/label_factory.h"
#include "ui/widgets/ui_colors.h"
#include "ui/widgets/ui_fonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int pickerMaxWidth = 260;
constexpr int shownAccountsMaxHeight = 140;
// Account names longer than this end in "\u2026" (the full name is the tooltip), so no label
// or picker grows wider than the window.
constexpr int labelMaxWidth = 400;
constexpr int pickerTextMaxWidth = pickerMaxWidth - 40;

} // namespace

GeneralTab::GeneralTab(AccountStore& store, AppSettings& settings, LoginItem& loginItem,
                       QString keyringManager, QWidget* parent)
    : QWidget(parent), m_store(store), m_settings(settings), m_loginItem(loginItem),
      m_keyringManager(std::move(keyringManager))
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(18);
    column->addWidget(buildStartup());
    column->addWidget(horizontalDivider(content));
    column->addWidget(buildTray());
    column->addWidget(horizontalDivider(content));
    column->addWidget(buildClipboard());
    column->addWidget(horizontalDivider(content));
    column->addWidget(buildSecureStorage());
    column->addStretch(1);

    // The window has a fixed size; a long account list or a large font scrolls instead.
    auto* scroll = new QScrollArea(this);
    m_page = scroll;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    m_refreshTimer.setInterval(statusRefreshMs);
    connect(&m_refreshTimer, &QTimer::timeout, this, &GeneralTab::refreshStatus);

    connect(&m_store, &AccountStore::accountsChanged, this, &GeneralTab::rebuildAccounts);
    connect(&m_settings, &AppSettings::showCodeInMenuBarChanged, this, [this](bool show) {
        const QSignalBlocker blocker(m_showCodeSwitch);
        m_showCodeSwitch->setChecked(show);
        refreshVisibility();
    });
    connect(&m_settings, &AppSettings::menuBarAccountIDChanged, this, &GeneralTab::refreshAccountPicker);
    connect(&m_settings, &AppSettings::menuBarHiddenAccountIDsChanged, this,
            &GeneralTab::refreshShownAccounts);

    m_launchAtLogin = m_loginItem.status() == LoginItem::Status::enabled;
    m_launchSwitch->setChecked(m_launchAtLogin);
    rebuildAccounts();
}

QWidget* GeneralTab::buildStartup()
{
    auto* section = new QWidget(this);
    auto* column = new QVBoxLayout(section);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(18);
    column->addWidget(sectionTitle(tr("Startup"), section));

    m_launchSwitch = new QCheckBox(tr("Launch Brisvane at login"), section);
    m_launchSwitch->setObjectName(QStringLiteral("launchAtLogin"));
    connect(m_launchSwitch, &QCheckBox::clicked, this, &GeneralTab::setLaunchAtLogin);
    column->addWidget(m_launchSwitch);

    column->addWidget(captionText(tr("When enabled, Brisvane starts automatically every time you log in, so "
                                     "the tray icon and your global hotkeys are always available."),
                                  section));

    m_statusRow = new QWidget(section);
    m_statusRow->setObjectName(QStringLiteral("launchStatus"));
    auto* statusLayout = new QHBoxLayout(m_statusRow);
    statusLayout->setContentsMargins(0, 0, 0, 0);
    statusLayout->setSpacing(8);
    statusLayout->addWidget(iconLabel(AppIcon::warning, 14, orangeColor(), m_statusRow), 0, Qt::AlignVCenter);
    m_statusText = captionText(QString(), m_statusRow);
    m_statusText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusLayout->addWidget(m_statusText, 1);
    m_statusRow->setVisible(false);
    column->addWidget(m_statusRow);
    return section;
}

QWidget* GeneralTab::buildTray()
{
    auto* section = new QWidget(this);
    auto* column = new QVBoxLayout(section);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(18);
    column->addWidget(sectionTitle(tr("Tray"), section));

    m_showCodeSwitch = new QCheckBox(tr("Show a code in the tray"), section);
    m_showCodeSwitch->setObjectName(QStringLiteral("showCodeInTray"));
    m_showCodeSwitch->setChecked(m_settings.showCodeInMenuBar());
    connect(m_showCodeSwitch, &QCheckBox::clicked, this,
            [this](bool on) { m_settings.setShowCodeInMenuBar(on); });
    column->addWidget(m_showCodeSwitch);

    m_accountRow = new QWidget(section);
    m_accountRow->setObjectName(QStringLiteral("trayAccountRow"));
    auto* accountLayout = new QHBoxLayout(m_accountRow);
    accountLayout->setContentsMargins(0, 0, 0, 0);
    accountLayout->setSpacing(8);
    accountLayout->addWidget(new QLabel(tr("Account:"), m_accountRow));
    m_accountPicker = new QComboBox(m_accountRow);
    m_accountPicker->setObjectName(QStringLiteral("trayAccountPicker"));
    m_accountPicker->setMaximumWidth(pickerMaxWidth);
    m_accountPicker->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(m_accountPicker, &QComboBox::activated, this, [this](int index) {
        const std::optional<QUuid> id =
            index <= 0 ? std::nullopt : parseUUID(m_accountPicker->itemData(index).toString());
        m_settings.setMenuBarAccountID(id);
    });
    accountLayout->addWidget(m_accountPicker);
    accountLayout->addStretch(1);
    column->addWidget(m_accountRow);

    column->addWidget(captionText(
        tr("Shows the current code right in the tray, next to the key icon. Note: the code stays visible "
           "on screen, so anyone looking at your screen can see it — turn this off if you'd rather keep "
           "it hidden until you click the icon."),
        section));

    m_shownAccountsBlock = new QWidget(section);
    m_shownAccountsBlock->setObjectName(QStringLiteral("shownAccounts"));
    auto* block = new QVBoxLayout(m_shownAccountsBlock);
    block->setContentsMargins(0, 4, 0, 0);
    block->setSpacing(8);
    block->addWidget(calloutTitle(tr("Accounts shown in the menu"), m_shownAccountsBlock));
    // The tray window reorders with its arrows, not by dragging.
    block->addWidget(captionText(tr("Uncheck an account to hide it from the dropdown (it stays in the main "
                                    "window). Use the arrows in the dropdown or drag rows in the main window "
                                    "to reorder them."),
                                 m_shownAccountsBlock));
    m_shownAccountsArea = new QScrollArea(m_shownAccountsBlock);
    auto* listArea = m_shownAccountsArea;
    listArea->setFrameShape(QFrame::NoFrame);
    listArea->setWidgetResizable(true);
    listArea->setMaximumHeight(shownAccountsMaxHeight);
    listArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The wheel scrolls the page, never this short list, so scrolling down the tab does not
    // get stuck on it; its own scrollbar still moves it.
    listArea->viewport()->installEventFilter(this);
    auto* list = new QWidget;
    m_shownAccountsLayout = new QVBoxLayout(list);
    m_shownAccountsLayout->setContentsMargins(0, 2, 0, 2);
    m_shownAccountsLayout->setSpacing(4);
    m_shownAccountsLayout->addStretch(1);
    listArea->setWidget(list);
    block->addWidget(listArea);
    column->addWidget(m_shownAccountsBlock);
    return section;
}

QWidget* GeneralTab::buildClipboard()
{
    auto* section = new QWidget(this);
    auto* column = new QVBoxLayout(section);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(18);
    column->addWidget(sectionTitle(tr("Clipboard"), section));

    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    const int seconds = m_settings.clearClipboardSeconds();
    m_clearClipboardSwitch = new QCheckBox(tr("Clear copied codes after"), section);
    m_clearClipboardSwitch->setObjectName(QStringLiteral("clearClipboard"));
    m_clearClipboardSwitch->setChecked(seconds > 0);
    row->addWidget(m_clearClipboardSwitch);
    m_clearClipboardSeconds = new QSpinBox(section);
    m_clearClipboardSeconds->setObjectName(QStringLiteral("clearClipboardSeconds"));
    m_clearClipboardSeconds->setRange(5, AppSettings::maxClearClipboardSeconds);
    m_clearClipboardSeconds->setValue(seconds > 0 ? seconds : AppSettings::defaultClearClipboardSeconds);
    m_clearClipboardSeconds->setSuffix(tr(" seconds"));
    m_clearClipboardSeconds->setAccessibleName(tr("Seconds before a copied code is cleared"));
    m_clearClipboardSeconds->setEnabled(seconds > 0);
    row->addWidget(m_clearClipboardSeconds);
    row->addStretch(1);
    column->addLayout(row);
    const auto store = [this] {
        m_clearClipboardSeconds->setEnabled(m_clearClipboardSwitch->isChecked());
        m_settings.setClearClipboardSeconds(
            m_clearClipboardSwitch->isChecked() ? m_clearClipboardSeconds->value() : 0);
    };
    connect(m_clearClipboardSwitch, &QCheckBox::clicked, this, store);
    connect(m_clearClipboardSeconds, &QSpinBox::valueChanged, this, store);

    column->addWidget(
        captionText(tr("A copied code is taken off the clipboard again after this time, and when "
                       "Brisvane quits, unless you have copied something else meanwhile. Clipboard "
                       "managers are asked not to keep codes."),
                    section));
    return section;
}

QWidget* GeneralTab::buildSecureStorage()
{
    auto* section = new QWidget(this);
    auto* column = new QVBoxLayout(section);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(18);
    column->addWidget(sectionTitle(tr("Secure storage"), section));

    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    row->addWidget(iconLabel(AppIcon::keyring, 20, accentColor(palette()), section), 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(calloutTitle(tr("Accounts are kept in your login keyring"), section));
    texts->addWidget(captionText(tr("Your TOTP/HOTP secrets are stored by the desktop's Secret Service "
                                    "(such as GNOME Keyring or KWallet), encrypted with your login "
                                    "password. They never leave this computer."),
                                 section));
    row->addLayout(texts, 1);
    column->addLayout(row);

    if (!m_keyringManager.isEmpty()) {
        auto* open = new QPushButton(tr("Open Keyring Manager"), section);
        open->setObjectName(QStringLiteral("openKeyringManager"));
        connect(open, &QPushButton::clicked, this, &GeneralTab::openKeyringManager);
        auto* buttonRow = new QHBoxLayout;
        buttonRow->addWidget(open);
        buttonRow->addStretch(1);
        column->addLayout(buttonRow);
    }
    m_keyringLaunchError = captionText(QString(), section);
    m_keyringLaunchError->setObjectName(QStringLiteral("keyringLaunchError"));
    m_keyringLaunchError->setVisible(false);
    column->addWidget(m_keyringLaunchError);
    return section;
}

void GeneralTab::setLaunchAtLogin(bool on)
{
    m_launchAtLogin = on;
    const bool enabled = m_loginItem.status() == LoginItem::Status::enabled;
    std::optional<QString> message;
    // Only a change of the real state touches the login item.
    if (on && !enabled) {
        const Result<Done, QString> result = m_loginItem.registerItem();
        if (!result.ok())
            message = result.error();
    } else if (!on && enabled) {
        const Result<Done, QString> result = m_loginItem.unregisterItem();
        if (!result.ok())
            message = result.error();
    }
    m_statusMessage = message;
    m_statusText->setText(message.value_or(QString()));
    refreshStatus();
    refreshVisibility();
}

void GeneralTab::refreshStatus()
{
    const bool enabled = m_loginItem.status() == LoginItem::Status::enabled;
    if (enabled != m_launchAtLogin)
        m_launchAtLogin = enabled;
    const QSignalBlocker blocker(m_launchSwitch);
    m_launchSwitch->setChecked(m_launchAtLogin);
}

bool GeneralTab::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && watched == m_shownAccountsArea->viewport()) {
        QCoreApplication::sendEvent(m_page->viewport(), event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void GeneralTab::rebuildAccounts()
{
    for (QCheckBox* box : std::as_const(m_shownAccountBoxes)) {
        // The box may be the sender of the click that led here.
        m_shownAccountsLayout->removeWidget(box);
        box->hide();
        box->deleteLater();
    }
    m_shownAccountBoxes.clear();
    for (const Account& account : m_store.accounts()) {
        const QString label = displayLabel(account);
        auto* box = new QCheckBox(fontMetrics().elidedText(label, Qt::ElideRight, labelMaxWidth),
                                  m_shownAccountsLayout->parentWidget());
        box->setToolTip(label);
        const QUuid id = account.id;
        connect(box, &QCheckBox::clicked, this,
                [this, id](bool shown) { m_settings.setAccountShownInMenu(id, shown); });
        m_shownAccountsLayout->insertWidget(m_shownAccountsLayout->count() - 1, box);
        m_shownAccountBoxes.append(box);
    }
    // Up to 140 points of the list are on show at once; longer lists scroll.
    m_shownAccountsLayout->activate();
    m_shownAccountsArea->setFixedHeight(
        std::min(shownAccountsMaxHeight, m_shownAccountsLayout->parentWidget()->sizeHint().height()));
    refreshShownAccounts();
    refreshAccountPicker();
    refreshVisibility();
}

void GeneralTab::refreshAccountPicker()
{
    const QSignalBlocker blocker(m_accountPicker);
    m_accountPicker->clear();
    m_accountPicker->addItem(tr("First account"));
    int selected = 0;
    for (const Account& account : m_store.accounts()) {
        const QString label = displayLabel(account);
        m_accountPicker->addItem(fontMetrics().elidedText(label, Qt::ElideRight, pickerTextMaxWidth),
                                 uuidText(account.id));
        m_accountPicker->setItemData(m_accountPicker->count() - 1, label, Qt::ToolTipRole);
        if (m_settings.menuBarAccountID() == account.id)
            selected = m_accountPicker->count() - 1;
    }
    // A chosen account that was deleted reads as the first account, which is what the tray shows.
    m_accountPicker->setCurrentIndex(selected);
}

void GeneralTab::refreshShownAccounts()
{
    const QList<Account>& accounts = m_store.accounts();
    for (qsizetype i = 0; i < m_shownAccountBoxes.size() && i < accounts.size(); ++i) {
        const QSignalBlocker blocker(m_shownAccountBoxes.at(i));
        m_shownAccountBoxes.at(i)->setChecked(
            !m_settings.menuBarHiddenAccountIDs().contains(accounts.at(i).id));
    }
}

void GeneralTab::refreshVisibility()
{
    m_statusRow->setVisible(m_statusMessage.has_value());
    m_accountRow->setVisible(m_settings.showCodeInMenuBar());
    m_shownAccountsBlock->setVisible(!m_store.accounts().isEmpty());
}

void GeneralTab::openKeyringManager()
{
    const bool started = QProcess::startDetached(m_keyringManager, {});
    m_keyringLaunchError->setText(
        started ? QString() : tr("Could not start %1.").arg(QFileInfo(m_keyringManager).fileName()));
    m_keyringLaunchError->setVisible(!started);
}

void GeneralTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refreshStatus();
    m_refreshTimer.start();
}

void GeneralTab::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_refreshTimer.stop();
}

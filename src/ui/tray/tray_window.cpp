// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tray/tray_window.h"

#include "core/otp_code.h"
#include "platform/clipboard.h"
#include "settings/app_settings.h"
#include "storage/account_store.h"
#include "ui/tray/tray_accounts.h"
#include "ui/tray/tray_row.h"
#include "ui/widgets/app_icons.h"
#include "ui/widgets/empty_state.h"
#include "ui/widgets/label_factory.h"
#include "ui/widgets/ticking_clock.h"
#include "ui/widgets/ui_colors.h"
#include "ui/widgets/ui_fonts.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

// How long a row keeps its green mark after a copy.
constexpr int copiedIndicatorDelayMs = 1500;

QFrame* divider(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setFixedHeight(1);
    QPalette pal = line->palette();
    pal.setColor(QPalette::WindowText, quaternaryColor(parent->palette()));
    line->setPalette(pal);
    return line;
}

QToolButton* footerButton(const QString& text, const QIcon& icon, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setIcon(icon);
    button->setAutoRaise(true);
    button->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonTextBesideIcon);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

int titleIconSize(const QFont& body)
{
    return QFontMetrics(textStyleFont(body, TextStyle::title2)).height();
}

} // namespace

TrayWindow::TrayWindow(AccountStore& store, TickingClock& clock, AppSettings& settings, Clipboard& clipboard,
                       QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint), m_store(store), m_clock(clock),
      m_settings(settings), m_clipboard(clipboard)
{
    setObjectName(QStringLiteral("trayWindow"));
    setWindowTitle(QStringLiteral("Brisvane"));
    setFixedWidth(windowWidth);
    setAutoFillBackground(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());
    layout->addWidget(divider(this));

    m_noAccounts = buildNoAccounts();
    m_nothingShown = buildNothingShown();
    m_listContent = new QWidget;
    m_listLayout = new QVBoxLayout(m_listContent);
    m_listLayout->setContentsMargins(0, 0, 0, 0);
    m_listLayout->setSpacing(0);
    m_listLayout->addStretch(1);
    m_listArea = new QScrollArea(this);
    m_listArea->setObjectName(QStringLiteral("trayList"));
    m_listArea->setFrameShape(QFrame::NoFrame);
    m_listArea->setWidgetResizable(true);
    m_listArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_listArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_listArea->setWidget(m_listContent);
    m_listArea->setFixedHeight(static_cast<int>(std::lround(m_listHeight.areaHeight())));
    layout->addWidget(m_noAccounts);
    layout->addWidget(m_nothingShown);
    layout->addWidget(m_listArea);

    layout->addWidget(divider(this));
    layout->addWidget(buildFooter());

    connect(&m_store, &AccountStore::accountsChanged, this, &TrayWindow::onAccountsChanged);
    connect(&m_settings, &AppSettings::menuBarHiddenAccountIDsChanged, this, &TrayWindow::onAccountsChanged);
    connect(&m_settings, &AppSettings::revealCodesInMenuChanged, this, [this](bool reveal) {
        const QSignalBlocker blocker(m_showCodes);
        m_showCodes->setChecked(reveal);
        refreshRows();
    });
    // A closed window computes no codes.
    connect(&m_clock, &TickingClock::nowChanged, this, [this] {
        if (isVisible())
            refreshRows();
    });
}

QWidget* TrayWindow::buildHeader()
{
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(12, 12, 12, 8);
    row->addWidget(iconLabel(AppIcon::key, titleIconSize(font()), accentColor(palette()), header), 0,
                   Qt::AlignVCenter);
    row->addWidget(textLabel(QStringLiteral("Brisvane"), {.style = TextStyle::headline}, header));
    row->addStretch(1);

    m_showCodes = new QCheckBox(tr("Show codes"), header);
    m_showCodes->setObjectName(QStringLiteral("showCodes"));
    m_showCodes->setFont(textStyleFont(font(), TextStyle::caption));
    m_showCodes->setToolTip(tr("Show or hide the codes. Names and copy buttons stay visible."));
    m_showCodes->setChecked(m_settings.revealCodesInMenu());
    m_showCodes->setFocusPolicy(Qt::NoFocus);
    connect(m_showCodes, &QCheckBox::clicked, this,
            [this](bool checked) { m_settings.setRevealCodesInMenu(checked); });
    row->addWidget(m_showCodes);

    auto* open = footerButton(QString(), appIcon(AppIcon::openWindow), header);
    open->setObjectName(QStringLiteral("openMainWindow"));
    open->setToolTip(tr("Open main window"));
    open->setAccessibleName(open->toolTip());
    connect(open, &QToolButton::clicked, this, [this] { closeThen(&TrayWindow::openMainWindowRequested); });
    row->addWidget(open);
    return header;
}

QWidget* TrayWindow::buildNoAccounts()
{
    auto* add = new QPushButton(tr("Add an account"));
    add->setObjectName(QStringLiteral("addAccount"));
    connect(add, &QPushButton::clicked, this, [this] { closeThen(&TrayWindow::openMainWindowRequested); });
    QWidget* box = emptyStateWidget({.icon = AppIcon::lockShield,
                                     .iconSize = titleIconSize(font()),
                                     .title = tr("No accounts yet"),
                                     .titleStyle = TextStyle::callout,
                                     .margins = QMargins(0, 24, 0, 24),
                                     .spacing = 8,
                                     .button = add},
                                    this);
    box->setObjectName(QStringLiteral("noAccounts"));
    return box;
}

QWidget* TrayWindow::buildNothingShown()
{
    QWidget* box = emptyStateWidget(
        {.icon = AppIcon::eyeSlash,
         .iconSize = titleIconSize(font()),
         .title = tr("No accounts shown here"),
         .titleStyle = TextStyle::callout,
         .text = tr("Choose which accounts appear in this menu\nin Settings → General → Tray."),
         .textStyle = TextStyle::caption,
         .margins = QMargins(0, 20, 0, 20),
         .spacing = 8},
        this);
    box->setObjectName(QStringLiteral("nothingShown"));
    return box;
}

QWidget* TrayWindow::buildFooter()
{
    auto* footer = new QWidget(this);
    auto* row = new QHBoxLayout(footer);
    row->setContentsMargins(12, 8, 12, 8);

    auto* manage = footerButton(tr("Manage"), appIcon(AppIcon::list), footer);
    manage->setObjectName(QStringLiteral("manage"));
    connect(manage, &QToolButton::clicked, this, [this] { closeThen(&TrayWindow::openMainWindowRequested); });
    row->addWidget(manage);

    auto* settings = footerButton(tr("Settings"), appIcon(AppIcon::gear), footer);
    settings->setObjectName(QStringLiteral("settings"));
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    settings->setToolTip(tr("Settings (%1)").arg(settings->shortcut().toString(QKeySequence::NativeText)));
    connect(settings, &QToolButton::clicked, this, [this] { closeThen(&TrayWindow::settingsRequested); });
    row->addWidget(settings);

    row->addStretch(1);

    auto* quit = footerButton(tr("Quit"), QIcon(), footer);
    quit->setObjectName(QStringLiteral("quit"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setToolTip(tr("Quit Brisvane (%1)").arg(quit->shortcut().toString(QKeySequence::NativeText)));
    connect(quit, &QToolButton::clicked, this, [this] { closeThen(&TrayWindow::quitRequested); });
    row->addWidget(quit);
    return footer;
}

void TrayWindow::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // A frameless popup needs its own edge to stand out from what lies behind it.
    QPainter painter(this);
    painter.setPen(withAlpha(primaryColor(palette()), 0.25));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TrayWindow::popUp(const QPoint& position)
{
    ensureRowsBuilt();
    refreshRows();
    adjustSize();
    move(position);
    show();
    raise();
    activateWindow();
}

void TrayWindow::showEvent(QShowEvent* event)
{
    refreshRows();
    QWidget::showEvent(event);
}

void TrayWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    Q_EMIT hidden();
}

void TrayWindow::setVisible(bool visible)
{
    // Before the window maps, so that it opens at the size of its current rows.
    if (visible)
        ensureRowsBuilt();
    QWidget::setVisible(visible);
}

void TrayWindow::ensureRowsBuilt()
{
    if (m_rowsOutOfDate)
        rebuild();
}

void TrayWindow::onAccountsChanged()
{
    if (isVisible())
        rebuild();
    else
        m_rowsOutOfDate = true;
}

void TrayWindow::rebuild()
{
    m_rowsOutOfDate = false;
    const QList<Account>& accounts = m_store.accounts();
    const QList<Account> visible = visibleAccounts(accounts, m_settings.menuBarHiddenAccountIDs());

    while (m_rows.size() > visible.size()) {
        // The row may be the sender of the click that led here.
        TrayRow* row = m_rows.takeLast();
        m_listLayout->removeWidget(row);
        row->hide();
        row->deleteLater();
    }
    while (m_rows.size() < visible.size()) {
        auto* row = new TrayRow(m_listContent);
        connect(row, &TrayRow::copyRequested, this, &TrayWindow::copyAccountCode);
        connect(row, &TrayRow::moveUpRequested, this, &TrayWindow::moveUp);
        connect(row, &TrayRow::moveDownRequested, this, &TrayWindow::moveDown);
        m_listLayout->insertWidget(m_listLayout->count() - 1, row);
        m_rows.append(row);
    }

    m_showCodes->setVisible(!accounts.isEmpty());
    m_noAccounts->setVisible(accounts.isEmpty());
    m_nothingShown->setVisible(!accounts.isEmpty() && visible.isEmpty());
    m_listArea->setVisible(!visible.isEmpty());

    refreshRows();
    measureList();
}

void TrayWindow::refreshRows()
{
    const QList<Account> visible = visibleAccounts(m_store.accounts(), m_settings.menuBarHiddenAccountIDs());
    const Instant now = m_clock.now();
    const bool reveal = m_settings.revealCodesInMenu();
    for (qsizetype i = 0; i < m_rows.size() && i < visible.size(); ++i) {
        const Account& account = visible.at(i);
        m_rows.at(i)->setContent(TrayRowContent{account, now, reveal, m_copiedID == account.id, canMoveUp(i),
                                                canMoveDown(i, visible.size())});
    }
}

void TrayWindow::measureList()
{
    m_listLayout->activate();
    int natural = 0;
    for (const TrayRow* row : std::as_const(m_rows))
        natural += row->sizeHint().height();
    if (m_listHeight.report(natural))
        m_listArea->setFixedHeight(static_cast<int>(std::lround(m_listHeight.areaHeight())));
    if (isVisible())
        adjustSize();
}

void TrayWindow::copyAccountCode(const QUuid& id)
{
    const QList<Account>& accounts = m_store.accounts();
    const auto account =
        std::find_if(accounts.cbegin(), accounts.cend(), [&](const Account& a) { return a.id == id; });
    if (account == accounts.cend())
        return;
    const QString code = account->code(m_clock.now());
    // A placeholder must never land where a code is expected.
    if (!isCode(code))
        return;
    if (!m_clipboard.setSecretText(code))
        return;
    m_copiedID = id;
    refreshRows();
    QTimer::singleShot(copiedIndicatorDelayMs, this, [this, id] {
        if (m_copiedID != id)
            return;
        m_copiedID.reset();
        refreshRows();
    });
}

void TrayWindow::moveUp(const QUuid& id)
{
    const auto move =
        moveUpRequest(visibleAccounts(m_store.accounts(), m_settings.menuBarHiddenAccountIDs()), id);
    if (move)
        m_store.moveAccount(move->source, move->target);
}

void TrayWindow::moveDown(const QUuid& id)
{
    const auto move =
        moveDownRequest(visibleAccounts(m_store.accounts(), m_settings.menuBarHiddenAccountIDs()), id);
    if (move)
        m_store.moveAccount(move->source, move->target);
}

void TrayWindow::closeThen(void (TrayWindow::*signal)())
{
    close();
    Q_EMIT(this->*signal)();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/main_window.h"

#include "core/otp_code.h"
#include "import/formats/unused_ids.h"
#include "platform/clipboard.h"
#include "storage/account_store.h"
#include "ui/main_window/account_list_model.h"
#include "ui/main_window/account_list_view.h"
#include "ui/main_window/account_qr_dialog.h"
#include "ui/main_window/account_row_delegate.h"
#include "ui/main_window/account_row_layout.h"
#include "ui/main_window/clock_notice.h"
#include "ui/main_window/edit_account_dialog.h"
#include "ui/main_window/keyring_error_help.h"
#include "ui/main_window/list_move.h"
#include "ui/main_window/undo_delete_bar.h"
#include "ui/widgets/app_icons.h"
#include "ui/widgets/empty_state.h"
#include "ui/widgets/label_factory.h"
#include "ui/widgets/ticking_clock.h"
#include "ui/widgets/ui_colors.h"
#include "ui/widgets/ui_fonts.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <algorithm>
#include <utility>

namespace {

QString rgbaText(const QColor& color)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(color.alphaF(), 0, 'f', 3);
}

} // namespace

MainWindow::MainWindow(AccountStore& store, TickingClock& clock, Clipboard& clipboard,
                       AddSheetFactory addSheet, QWidget* parent, DelayedCall delayedCall)
    : QWidget(parent), m_store(store), m_clock(clock), m_clipboard(clipboard),
      m_addSheet(std::move(addSheet)), m_delayedCall(std::move(delayedCall))
{
    if (!m_delayedCall) {
        m_delayedCall = [this](std::chrono::milliseconds delay, std::function<void()> work) {
            QTimer::singleShot(delay, this, std::move(work));
        };
    }
    setWindowTitle(QStringLiteral("Brisvane"));
    setWindowIcon(appIcon(AppIcon::application));
    setMinimumSize(520, 420);
    resize(560, 560);

    m_model = new AccountListModel(m_store, this);
    m_delegate = new AccountRowDelegate(this);
    m_delegate->setNow(m_clock.now());
    m_model->setNow(m_clock.now());
    m_listView = new AccountListView(*m_delegate, this);
    m_listView->setModel(m_model);
    m_listView->setAlternatingRowColors(false);
    m_listView->setAccessibleName(tr("Accounts"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());
    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Plain);
    divider->setStyleSheet(QStringLiteral("color: %1;").arg(rgbaText(quaternaryColor(palette()))));
    layout->addWidget(divider);

    m_content = new QStackedWidget(this);
    m_emptyState = buildEmptyState();
    m_content->addWidget(m_emptyState);
    auto* listPage = new QWidget(this);
    auto* listLayout = new QVBoxLayout(listPage);
    listLayout->setContentsMargins(0, 6, 0, 6);
    listLayout->addWidget(m_listView);
    m_content->addWidget(listPage);
    layout->addWidget(m_content, 1);

    m_undoBar = new UndoDeleteBar(this);
    layout->addWidget(m_undoBar);
    connect(m_undoBar, &UndoDeleteBar::undoRequested, this, &MainWindow::undoDelete);

    m_sessionNotice = new QLabel(this);
    m_sessionNotice->setWordWrap(true);
    m_sessionNotice->setFont(textStyleFont(font(), TextStyle::caption));
    m_sessionNotice->setStyleSheet(
        QStringLiteral("color: %1; background: %2; padding: 6px 12px;")
            .arg(rgbaText(secondaryColor(palette())), rgbaText(quaternaryColor(palette()))));
    m_sessionNotice->hide();
    layout->addWidget(m_sessionNotice);

    m_errorBar = new QWidget(this);
    m_errorBar->setObjectName(QStringLiteral("errorBar"));
    m_errorBar->setAttribute(Qt::WA_StyledBackground);
    m_errorBar->setStyleSheet(
        QStringLiteral("QWidget#errorBar { background: %1; }").arg(rgbaText(withAlpha(redColor(), 0.08))));
    auto* errorRow = new QHBoxLayout(m_errorBar);
    errorRow->setContentsMargins(12, 6, 12, 6);
    errorRow->setSpacing(12);
    m_errorFooter = new QLabel(m_errorBar);
    m_errorFooter->setObjectName(QStringLiteral("errorFooter"));
    m_errorFooter->setWordWrap(true);
    m_errorFooter->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_errorFooter->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_errorFooter->setFont(textStyleFont(font(), TextStyle::caption));
    m_errorFooter->setStyleSheet(QStringLiteral("color: %1;").arg(rgbaText(redColor())));
    errorRow->addWidget(m_errorFooter, 1);
    m_errorHelpLink = new QLabel(QStringLiteral("<a href=\"#help\">What does this mean?</a>"), m_errorBar);
    m_errorHelpLink->setObjectName(QStringLiteral("errorHelpLink"));
    m_errorHelpLink->setFont(textStyleFont(font(), TextStyle::caption));
    m_errorHelpLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(m_errorHelpLink, &QLabel::linkActivated, this, &MainWindow::explainError);
    errorRow->addWidget(m_errorHelpLink);
    layout->addWidget(m_errorBar);

    connect(&m_store, &AccountStore::accountsChanged, this, &MainWindow::updateContent);
    connect(&m_store, &AccountStore::lastErrorChanged, this, &MainWindow::updateErrorFooter);
    connect(&m_store, &AccountStore::unreadableItemsChanged, this, &MainWindow::updateErrorFooter);
    connect(&m_store, &AccountStore::keyringRespondingChanged, this, &MainWindow::updateErrorFooter);
    connect(&m_clock, &TickingClock::nowChanged, this, &MainWindow::updateRows);
    m_ringAnimation = new QVariantAnimation(this);
    m_ringAnimation->setStartValue(0.0);
    m_ringAnimation->setEndValue(1.0);
    m_ringAnimation->setDuration(int(ringAnimationDuration.count()));
    connect(m_ringAnimation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { moveRings(value.toDouble()); });
    connect(m_delegate, &AccountRowDelegate::copyRequested, this,
            [this](int row) { copyAccountCode(m_model->accountAt(row)); });
    connect(m_listView, &AccountListView::copyRequested, this,
            [this](int row) { copyAccountCode(m_model->accountAt(row)); });
    connect(m_delegate, &AccountRowDelegate::incrementRequested, this, &MainWindow::incrementRow);
    connect(m_listView, &AccountListView::advanceRequested, this, &MainWindow::incrementRow);
    // Every change of the store rebuilds the rows; the keyboard stays on the account it was on.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        const QModelIndex current = m_listView->currentIndex();
        m_keyboardAccountID = current.isValid() ? std::optional(m_model->idAt(current.row())) : std::nullopt;
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        const int row = m_keyboardAccountID ? m_model->rowOf(*m_keyboardAccountID) : -1;
        if (row >= 0)
            m_listView->setCurrentIndex(m_model->index(row));
    });
    connect(m_listView, &AccountListView::deleteRequested, this, &MainWindow::deleteRow);
    connect(m_listView, &AccountListView::moveRequested, this, &MainWindow::moveRows);
    connect(m_listView, &AccountListView::showQRCodeRequested, this, &MainWindow::showQRCode);
    connect(m_listView, &AccountListView::editRequested, this, &MainWindow::editRow);

    auto* addShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), this);
    addShortcut->setContext(Qt::WindowShortcut);
    connect(addShortcut, &QShortcut::activated, this, &MainWindow::showAddSheet);

    updateContent();
    updateErrorFooter();
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::buildHeader()
{
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(12, 10, 12, 10);
    row->setSpacing(8);

    const int titleSize = QFontMetrics(textStyleFont(font(), TextStyle::title2)).height();
    row->addWidget(iconLabel(AppIcon::key, titleSize, accentColor(palette()), header));
    row->addWidget(textLabel(QStringLiteral("Brisvane"), {.style = TextStyle::headline}, header));
    row->addStretch(1);

    auto* searchGroup = new QFrame(header);
    searchGroup->setObjectName(QStringLiteral("searchGroup"));
    searchGroup->setStyleSheet(QStringLiteral("QFrame#searchGroup { background: %1; border-radius: 6px; }")
                                   .arg(rgbaText(quaternaryColor(palette()))));
    auto* searchRow = new QHBoxLayout(searchGroup);
    searchRow->setContentsMargins(8, 4, 8, 4);
    searchRow->setSpacing(6);
    searchRow->addWidget(iconLabel(AppIcon::search, 14, secondaryColor(palette()), searchGroup));
    m_searchField = new QLineEdit(searchGroup);
    m_searchField->setFrame(false);
    m_searchField->setPlaceholderText(tr("Search"));
    m_searchField->setAccessibleName(tr("Search accounts"));
    m_searchField->setFixedWidth(160);
    m_searchField->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    searchRow->addWidget(m_searchField);
    row->addWidget(searchGroup);
    connect(m_searchField, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_model->setSearchText(text);
        m_delegate->setCanReorder(m_model->canReorder());
        m_listView->viewport()->update();
    });

    m_addButton = new QPushButton(appIcon(AppIcon::plus), tr("Add"), header);
    m_addButton->setToolTip(tr("Add accounts (Ctrl+N)"));
    connect(m_addButton, &QPushButton::clicked, this, &MainWindow::showAddSheet);
    row->addWidget(m_addButton);

    // The actions belong to the window, so their shortcuts work whether the menu is open or not.
    auto* menu = new QMenu(this);
    QAction* exportAccounts = menu->addAction(tr("Export…"), this, &MainWindow::exportRequested);
    exportAccounts->setObjectName(QStringLiteral("exportAction"));
    QAction* settings = menu->addAction(tr("Settings…"), this, &MainWindow::settingsRequested);
    settings->setObjectName(QStringLiteral("settingsAction"));
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    QAction* about = menu->addAction(tr("About Brisvane"), this, &MainWindow::aboutRequested);
    about->setObjectName(QStringLiteral("aboutAction"));
    menu->addSeparator();
    QAction* quit = menu->addAction(tr("Quit"), this, &MainWindow::quitRequested);
    quit->setObjectName(QStringLiteral("quitAction"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    for (QAction* action : {settings, quit}) {
        action->setShortcutContext(Qt::WindowShortcut);
        action->setShortcutVisibleInContextMenu(true);
        addAction(action);
    }
    m_menuButton = new QToolButton(header);
    m_menuButton->setObjectName(QStringLiteral("menuButton"));
    m_menuButton->setIcon(appIcon(AppIcon::menu));
    m_menuButton->setToolTip(tr("Export, Settings, About and Quit"));
    m_menuButton->setAccessibleName(tr("Menu"));
    m_menuButton->setMenu(menu);
    m_menuButton->setPopupMode(QToolButton::InstantPopup);
    m_menuButton->setAutoRaise(true);
    // Only the icon: the arrow Qt adds for a menu would make the button look like a list box.
    m_menuButton->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0; }"));
    row->addWidget(m_menuButton);
    return header;
}

QWidget* MainWindow::buildEmptyState()
{
    const QColor accent = accentColor(palette());
    const QColor onAccent = palette().color(QPalette::HighlightedText);
    // On the filled button the icon takes the button's text colour, as the label does.
    const int iconSize = QFontMetrics(font()).height();
    auto* add = new QPushButton(
        QIcon(tintedIconPixmap(AppIcon::plus, QSize(iconSize, iconSize), onAccent, devicePixelRatioF())),
        tr("Add account"));
    add->setObjectName(QStringLiteral("emptyStateAddButton"));
    add->setDefault(true);
    add->setStyleSheet(
        QStringLiteral(
            "QPushButton { background: %1; color: %2; border: none; border-radius: 6px; padding: 6px 14px; }"
            "QPushButton:pressed { background: %3; }")
            .arg(accent.name(), onAccent.name(), accent.darker(120).name()));
    connect(add, &QPushButton::clicked, this, &MainWindow::showAddSheet);
    return emptyStateWidget(
        {.icon = AppIcon::lockShield,
         .iconSize = 48,
         .title = tr("No accounts yet"),
         .titleStyle = TextStyle::title3,
         .text = tr("Click Add to import a QR code, paste a setup link, or enter a key by hand."),
         .margins = QMargins(60, 20, 60, 20),
         .button = add},
        this);
}

QString MainWindow::searchText() const
{
    return m_searchField->text();
}

void MainWindow::updateContent()
{
    // The empty state belongs to an empty store; a search without matches shows an empty list.
    m_content->setCurrentIndex(m_store.accounts().isEmpty() ? 0 : 1);
}

void MainWindow::updateErrorFooter()
{
    QStringList lines;
    if (!m_store.isKeyringResponding())
        lines.append(tr("Keyring not responding"));
    if (const std::optional<QString>& error = m_store.lastError())
        lines.append(*error);
    const QStringList& unreadable = m_store.unreadableItems();
    if (!unreadable.isEmpty()) {
        lines.append(unreadable.size() == 1
                         ? QStringLiteral("1 keyring item could not be read")
                         : QStringLiteral("%1 keyring items could not be read").arg(unreadable.size()));
    }
    // The labels come from the keyring, written by anyone: shown as plain, isolated text.
    QStringList labels;
    for (const QString& label : unreadable)
        labels.append(isolatedText(label).toHtmlEscaped());
    m_errorFooter->setText(lines.join(u'\n'));
    // A keyring error number gets its meaning; otherwise the unreadable items are named.
    const std::optional<KeyringErrorHelp> help = keyringErrorHelp(m_store.lastError().value_or(QString()));
    if (help)
        m_errorFooter->setToolTip(help->meaning);
    else
        m_errorFooter->setToolTip(labels.isEmpty() ? QString()
                                                   : QStringLiteral("<qt>") + labels.join(u"<br>"));
    m_errorHelpLink->setVisible(help.has_value());
    m_errorBar->setVisible(!lines.isEmpty());
}

void MainWindow::explainError()
{
    const std::optional<KeyringErrorHelp> help = keyringErrorHelp(m_store.lastError().value_or(QString()));
    if (!help)
        return;
    auto* box = new QMessageBox(QMessageBox::Information, tr("Keyring error"),
                                QStringLiteral("%1\n\n%2").arg(*m_store.lastError(), help->meaning),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("errorHelp"));
    // The remedy holds commands to copy; the README's troubleshooting table says the same.
    box->setInformativeText(help->remedy);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MainWindow::updateRows()
{
    m_delegate->setNow(m_clock.now());
    m_model->setNow(m_clock.now());
    if (m_content->currentIndex() != 1 || !m_listView->isVisible()) {
        m_delegate->setRingFraction(1);
        return;
    }
    m_delegate->setRingFraction(0);
    m_listView->viewport()->update();
    m_ringAnimation->stop();
    m_ringAnimation->start();
}

void MainWindow::moveRings(double fraction)
{
    m_delegate->setRingFraction(fraction);
    // Only the column of the rings: the rest of each row is as the tick drew it.
    const QRect ring = accountRowLayout(QRect(0, 0, m_listView->viewport()->width(), 1), 0).ringOrAdvance;
    m_listView->viewport()->update(
        QRect(ring.left() - 1, 0, ring.width() + 2, m_listView->viewport()->height()));
}

void MainWindow::setSessionNotice(const QString& text)
{
    m_sessionNotice->setText(text);
    m_sessionNotice->setVisible(!text.isEmpty());
}

void MainWindow::watchClock(ClockSync& sync, AppSettings& settings)
{
    if (m_clockNotice != nullptr)
        return;
    m_clockNotice = new ClockNotice(sync, settings, this);
    m_clockNotice->setFont(m_sessionNotice->font());
    m_clockNotice->setStyleSheet(m_sessionNotice->styleSheet());
    auto* column = qobject_cast<QVBoxLayout*>(layout());
    column->insertWidget(column->indexOf(m_sessionNotice), m_clockNotice);
}

void MainWindow::copyAccountCode(const Account& account)
{
    const QString code = account.code(m_clock.now());
    if (!isCode(code))
        return;
    // Only a code that reached the clipboard is marked as copied.
    if (!m_clipboard.setSecretText(code))
        return;
    const QUuid id = account.id;
    setCopiedAccountID(id);
    m_delayedCall(copiedIndicatorDelay, [this, id] {
        // A later copy owns the mark now and clears it itself.
        if (m_copiedAccountID == id)
            setCopiedAccountID(std::nullopt);
    });
}

void MainWindow::setCopiedAccountID(std::optional<QUuid> id)
{
    m_copiedAccountID = id;
    m_delegate->setCopiedAccountID(id);
    m_listView->viewport()->update();
}

void MainWindow::showAddSheet()
{
    if (m_showingAddSheet || !m_addSheet)
        return;
    // Restored backups bring their ids along; an id already in use gets a fresh one.
    QDialog* sheet = m_addSheet(this, [this](const QList<Account>& accounts) {
        const QList<Account> fresh = withUnusedIds(accounts, m_store.accounts());
        m_store.addAccounts(fresh);
        // A large import is written in the background and counted in the dialog.
        if (fresh.size() >= countedAddSize && m_store.isBusy())
            reportAddProgress(0, static_cast<int>(fresh.size()));
    });
    if (sheet == nullptr)
        return;
    connect(&m_store, &AccountStore::addProgress, sheet, [this](int done, int total) {
        if (total >= countedAddSize)
            reportAddProgress(done, total);
    });
    connect(&m_store, &AccountStore::answered, sheet, [this] { reportAddProgress(0, 0); });
    m_showingAddSheet = true;
    m_addSheetDialog = sheet;
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    connect(sheet, &QDialog::finished, this, [this] { m_showingAddSheet = false; });
    sheet->open();
}

void MainWindow::showAddSheetWithLink(const QString& link)
{
    showAddSheet();
    if (m_addSheetDialog)
        QMetaObject::invokeMethod(m_addSheetDialog, "presetLink", Q_ARG(QString, link));
}

void MainWindow::reportAddProgress(int done, int total)
{
    // Sheets other than the add dialog (in tests) have nothing to show it in.
    if (m_addSheetDialog && m_addSheetDialog->metaObject()->indexOfMethod("showAddProgress(int,int)") >= 0)
        QMetaObject::invokeMethod(m_addSheetDialog, "showAddProgress", Q_ARG(int, done), Q_ARG(int, total));
}

void MainWindow::deleteRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const Account account = m_model->accountAt(row);
    const QList<Account>& all = m_store.accounts();
    const auto position = std::find(all.begin(), all.end(), account) - all.begin();
    // The keyring item goes at once, as without undo; Undo writes it back.
    m_store.deleteAccount(account.id);
    m_deleted = std::pair(account, position);
    const int deleteNumber = ++m_deleteCount;
    m_undoBar->showDeleted(accountLabel(account));
    m_delayedCall(UndoDeleteBar::undoTime, [this, deleteNumber] {
        if (deleteNumber != m_deleteCount)
            return; // a later delete owns the notice
        m_deleted.reset();
        m_undoBar->hide();
    });
    // Keep the keyboard on the list, so Delete can be pressed again on the next row.
    const int remaining = m_model->rowCount();
    if (remaining > 0)
        m_listView->setCurrentIndex(m_model->index(std::min(row, remaining - 1)));
}

void MainWindow::undoDelete()
{
    if (!m_deleted)
        return;
    const auto [account, position] = *m_deleted;
    m_deleted.reset();
    ++m_deleteCount;
    m_undoBar->hide();
    m_store.addAccounts({account});
    const QList<Account>& all = m_store.accounts();
    if (position + 1 < all.size() && all.last().id == account.id)
        m_store.moveAccount(account.id, all.at(position).id);
    const int row = m_model->rowOf(account.id);
    if (row >= 0)
        m_listView->setCurrentIndex(m_model->index(row));
}

void MainWindow::setQREncoder(const QREncoder* encoder)
{
    m_qrEncoder = encoder;
    m_listView->setQRCodeAvailable(encoder != nullptr);
}

void MainWindow::showQRCode(int row)
{
    if (m_qrEncoder == nullptr || row < 0 || row >= m_model->rowCount())
        return;
    auto* dialog = new AccountQRDialog(m_model->accountAt(row), *m_qrEncoder, m_clipboard, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void MainWindow::editRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const Account account = m_model->accountAt(row);
    auto* dialog = new EditAccountDialog(account.issuer, account.name, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog, id = account.id] { m_store.renameAccount(id, dialog->issuer(), dialog->name()); });
    dialog->open();
}

void MainWindow::incrementRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    // A copy: the store replaces its list while it works.
    const Account account = m_model->accountAt(row);
    if (account.type != OTPType::hotp)
        return;
    m_store.incrementCounter(account);
}

void MainWindow::moveRows(const QList<qsizetype>& sourceRows, qsizetype destination)
{
    if (!searchText().isEmpty() || sourceRows.isEmpty())
        return;
    const QList<Account>& current = m_store.accounts();
    const qsizetype first = *std::min_element(sourceRows.begin(), sourceRows.end());
    if (first < 0 || first >= current.size())
        return;
    const QUuid movedID = current.at(first).id;
    const QList<Account> reordered = movedAccounts(current, sourceRows, destination);
    if (reordered == current)
        return;
    m_store.setAccounts(reordered);
    m_store.saveOrder();
    const int row = m_model->rowOf(movedID);
    if (row >= 0)
        m_listView->setCurrentIndex(m_model->index(row));
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The keyring may have been locked when the accounts were first read.
    m_store.reloadIfNeeded();
    if (!m_contentShown) {
        m_contentShown = true;
        Q_EMIT contentShown();
    }
}

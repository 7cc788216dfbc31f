// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/add_account/add_account_dialog.h"

#include "ui/add_account/add_account_model.h"
#include "ui/add_account/add_account_segmented_control.h"
#include "ui/add_account/link_text_edit.h"
#include "ui/widgets/app_icons.h"
#include "ui/widgets/label_factory.h"
#include "ui/widgets/ui_colors.h"
#include "ui/widgets/ui_fonts.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int dialogWidth = 540;
constexpr int sideMargin = 20;
// What each panel says under its heading.
constexpr LabelLook hintLook{.style = TextStyle::callout, .tone = TextTone::secondary, .wrap = true};

QIcon modeIcon(AddMode mode)
{
    switch (mode) {
    case AddMode::scanScreen:
        return appIcon(AppIcon::scanScreen);
    case AddMode::imageFile:
        return appIcon(AppIcon::imageFile);
    case AddMode::pasteLink:
        return appIcon(AppIcon::pasteLink);
    case AddMode::manual:
        break;
    }
    return appIcon(AppIcon::manualEntry);
}

// "Images (every format this system reads)", then the usual formats one by one.
QStringList imageNameFilters()
{
    QStringList patterns;
    for (const QByteArray& suffix : QImageReader::supportedImageFormats())
        patterns.append(QStringLiteral("*.") + QString::fromLatin1(suffix));
    for (const char* suffix : {"png", "jpg", "jpeg", "heic", "heif", "tif", "tiff"}) {
        const QString pattern = QStringLiteral("*.") + QString::fromLatin1(suffix);
        if (!patterns.contains(pattern))
            patterns.append(pattern);
    }
    return {
        QCoreApplication::translate("AddAccountDialog", "Images and backups (%1 *.json *.2fas *.aes *.txt)")
            .arg(patterns.join(u' ')),
        QCoreApplication::translate("AddAccountDialog", "All files (*)"),
        QStringLiteral("PNG (*.png)"),
        QStringLiteral("JPEG (*.jpg *.jpeg)"),
        QStringLiteral("HEIC (*.heic *.heif)"),
        QStringLiteral("TIFF (*.tif *.tiff)")};
}

QString chooseImageWithFileDialog(QWidget* parent)
{
    QFileDialog dialog(parent, QCoreApplication::translate("AddAccountDialog", "Choose image"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(imageNameFilters());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QFrame* divider()
{
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// A panel: a column with the mode's heading on top, aligned to the leading edge.
QVBoxLayout* panelLayout(QWidget* panel, AddMode mode, const QString& heading, int spacing)
{
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);
    column->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    const QFont font = textStyleFont(panel->font(), TextStyle::headline);
    const int iconSize = QFontMetrics(font).height();
    auto* icon = new QLabel;
    icon->setPixmap(modeIcon(mode).pixmap(iconSize, iconSize));
    row->addWidget(icon);
    row->addWidget(textLabel(heading, {.style = TextStyle::headline}, panel), 1);
    column->addLayout(row);
    return column;
}

} // namespace

AddAccountDialog::AddAccountDialog(QRImporter& importer, AddAction onAdd, QWidget* parent)
    : QDialog(parent), m_model(new AddAccountModel(
                           importer, std::move(onAdd), [this] { accept(); }, this)),
      m_chooseImageFile(chooseImageWithFileDialog)
{
    m_model->setPasswordPrompt([this](const QString& formatName) -> std::optional<QString> {
        bool entered = false;
        const QString password =
            QInputDialog::getText(this, tr("Encrypted backup"), tr("Password of this %1:").arg(formatName),
                                  QLineEdit::Password, QString(), &entered);
        return entered ? std::optional(password) : std::nullopt;
    });
    setWindowTitle(tr("Add account"));
    setModal(true);
    setFixedWidth(dialogWidth);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addWidget(buildHeader());
    root->addWidget(buildModeSelector());
    root->addSpacing(12);
    root->addWidget(divider());

    m_panels = new QStackedWidget;
    m_panels->addWidget(buildScanPanel());
    m_panels->addWidget(buildImagePanel());
    m_panels->addWidget(buildPastePanel());
    m_panels->addWidget(buildManualPanel());
    auto* content = new QWidget;
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(sideMargin, sideMargin, sideMargin, sideMargin);
    contentLayout->addWidget(m_panels);
    contentLayout->addStretch(1);
    auto* scroll = new QScrollArea;
    m_content = scroll;
    scroll->setObjectName(QStringLiteral("contentArea"));
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->setMinimumHeight(280);
    scroll->setMaximumHeight(360);
    root->addWidget(scroll, 1);

    // Body size: an error must be read, not noticed in passing.
    m_status = textLabel(QString(), {.tone = TextTone::secondary, .wrap = true}, this);
    m_status->setObjectName(QStringLiteral("statusLine"));
    m_status->setContentsMargins(sideMargin, 0, sideMargin, 4);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status->hide();
    root->addWidget(m_status);
    root->addWidget(divider());
    root->addWidget(buildFooter());

    installShortcuts();
    connect(m_model, &AddAccountModel::changed, this, &AddAccountDialog::syncFromModel);
    syncFromModel();
    fitContent();
}

AddAccountDialog::~AddAccountDialog() = default;

void AddAccountDialog::setImageFileChooser(ImageFileChooser chooser)
{
    m_chooseImageFile = std::move(chooser);
}

void AddAccountDialog::showAddProgress(int done, int total)
{
    m_model->showStoring(done, total);
}

void AddAccountDialog::presetLink(const QString& link)
{
    m_model->setMode(AddMode::pasteLink);
    m_model->setLinkText(link);
}

void AddAccountDialog::reject()
{
    m_model->cancelPendingScan();
    QDialog::reject();
}

QWidget* AddAccountDialog::buildHeader()
{
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(sideMargin, 18, sideMargin, 12);
    row->addWidget(textLabel(tr("Add account"), {.style = TextStyle::title2, .weight = QFont::Bold}, header));
    row->addStretch(1);
    auto* cancel = new QPushButton(tr("Cancel"));
    cancel->setObjectName(QStringLiteral("headerCancelButton"));
    cancel->setAutoDefault(false);
    // Escape reaches reject() through QDialog at once; a button shortcut would click only
    // after its animation, late enough for a pending scan to start.
    cancel->setToolTip(QStringLiteral("Esc"));
    connect(cancel, &QPushButton::clicked, this, &AddAccountDialog::reject);
    row->addWidget(cancel);
    return header;
}

QWidget* AddAccountDialog::buildModeSelector()
{
    auto* holder = new QWidget;
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(sideMargin, 0, sideMargin, 0);
    m_modeSelector = new AddAccountSegmentedControl;
    m_modeSelector->setObjectName(QStringLiteral("modeSelector"));
    int number = 1;
    for (AddMode mode : allAddModes) {
        QToolButton* segment = m_modeSelector->addSegment(int(mode), rawValue(mode), modeIcon(mode));
        segment->setToolTip(tr("%1 (Ctrl+%2)").arg(rawValue(mode)).arg(number++));
    }
    connect(m_modeSelector, &AddAccountSegmentedControl::selectedChanged, this,
            [this](int value) { m_model->setMode(AddMode(value)); });
    row->addWidget(m_modeSelector);
    return holder;
}

QWidget* AddAccountDialog::buildScanPanel()
{
    auto* panel = new QWidget;
    QVBoxLayout* column = panelLayout(panel, AddMode::scanScreen, tr("Scan a QR code from your screen"), 14);
    column->addWidget(textLabel(
        tr("Show the QR code somewhere on any of your displays — in a browser tab, on your phone, in "
           "another app — then click Scan. Your desktop may ask you to allow the screenshot."),
        hintLook, panel));
    column->addWidget(textLabel(
        tr("Tip: this also works with Google Authenticator's \"Export accounts\" QR — show that QR on "
           "your phone and point your phone's camera at the screen, or take a photo of it."),
        {.style = TextStyle::caption, .tone = TextTone::faint, .wrap = true}, panel));
    return panel;
}

QWidget* AddAccountDialog::buildImagePanel()
{
    auto* panel = new QWidget;
    QVBoxLayout* column = panelLayout(panel, AddMode::imageFile, tr("Read a QR code from an image"), 14);
    column->addWidget(textLabel(tr("Pick a PNG, JPG, or other image that contains the QR code. Multiple QR "
                                   "codes inside one image are supported. Backups and exports of Aegis, "
                                   "2FAS, andOTP, FreeOTP+, Bitwarden, Proton Authenticator and Ente Auth "
                                   "are read too."),
                                hintLook, panel));
    return panel;
}

QWidget* AddAccountDialog::buildPastePanel()
{
    auto* panel = new QWidget;
    QVBoxLayout* column = panelLayout(panel, AddMode::pasteLink, tr("Paste an otpauth:// link"), 12);
    column->addWidget(textLabel(tr("Paste a setup link like otpauth://totp/… or a Google "
                                   "Authenticator export link otpauth-migration://offline?data=…"),
                                hintLook, panel));
    auto* linkEdit = new LinkTextEdit(AddAccountModel::maximumLinkLength);
    connect(linkEdit, &LinkTextEdit::textRefused, m_model, &AddAccountModel::refuseLongText);
    m_linkEdit = linkEdit;
    m_linkEdit->setObjectName(QStringLiteral("linkEdit"));
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(textStyleFont(font(), TextStyle::body).pointSizeF());
    m_linkEdit->setFont(mono);
    m_linkEdit->setMinimumHeight(80);
    m_linkEdit->setTabChangesFocus(true);
    m_linkEdit->setStyleSheet(QStringLiteral("QPlainTextEdit { border: 1px solid %1; border-radius: 6px; }")
                                  .arg(quaternaryColor(palette()).name(QColor::HexArgb)));
    connect(m_linkEdit, &QPlainTextEdit::textChanged, this,
            [this] { m_model->setLinkText(m_linkEdit->toPlainText()); });
    column->addWidget(m_linkEdit);
    return panel;
}

QWidget* AddAccountDialog::buildManualPanel()
{
    auto* panel = new QWidget;
    QVBoxLayout* column = panelLayout(panel, AddMode::manual, tr("Enter a key by hand"), 10);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(1, 1);
    const auto caption = [panel](const QString& text) {
        return textLabel(text, {.alignment = Qt::AlignRight | Qt::AlignVCenter}, panel);
    };

    m_issuerEdit = new QLineEdit;
    m_issuerEdit->setObjectName(QStringLiteral("issuerEdit"));
    m_issuerEdit->setPlaceholderText(tr("e.g. Google"));
    connect(m_issuerEdit, &QLineEdit::textChanged, m_model, &AddAccountModel::setManualIssuer);

    m_nameEdit = new QLineEdit;
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_nameEdit->setPlaceholderText(tr("e.g. alice@example.com"));
    connect(m_nameEdit, &QLineEdit::textChanged, m_model, &AddAccountModel::setManualName);

    m_secretEdit = new QLineEdit;
    m_secretEdit->setObjectName(QStringLiteral("secretEdit"));
    m_secretEdit->setPlaceholderText(tr("Base32 secret (no spaces)"));
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(textStyleFont(font(), TextStyle::body).pointSizeF());
    m_secretEdit->setFont(mono);
    connect(m_secretEdit, &QLineEdit::textChanged, m_model, &AddAccountModel::setManualSecret);

    m_typeSelector = new AddAccountSegmentedControl;
    m_typeSelector->setObjectName(QStringLiteral("typeSelector"));
    m_typeSelector->addSegment(int(OTPType::totp), tr("Time-based (TOTP)"));
    m_typeSelector->addSegment(int(OTPType::hotp), tr("Counter (HOTP)"));
    connect(m_typeSelector, &AddAccountSegmentedControl::selectedChanged, this,
            [this](int value) { m_model->setManualType(OTPType(value)); });

    m_algorithmSelector = new AddAccountSegmentedControl;
    m_algorithmSelector->setObjectName(QStringLiteral("algorithmSelector"));
    for (HashAlgorithm algorithm : allHashAlgorithms)
        m_algorithmSelector->addSegment(int(algorithm), rawValue(algorithm));
    connect(m_algorithmSelector, &AddAccountSegmentedControl::selectedChanged, this,
            [this](int value) { m_model->setManualAlgorithm(HashAlgorithm(value)); });

    m_digitsSelector = new AddAccountSegmentedControl;
    m_digitsSelector->setObjectName(QStringLiteral("digitsSelector"));
    for (int digits = 6; digits <= 8; ++digits)
        m_digitsSelector->addSegment(digits, QString::number(digits));
    m_digitsSelector->setMaximumWidth(200);
    connect(m_digitsSelector, &AddAccountSegmentedControl::selectedChanged, this,
            [this](int value) { m_model->setManualDigits(value); });

    m_periodSpin = new QSpinBox;
    m_periodSpin->setObjectName(QStringLiteral("periodSpin"));
    m_periodSpin->setRange(int(AddAccountModel::minimumPeriod), int(AddAccountModel::maximumPeriod));
    m_periodSpin->setSingleStep(int(AddAccountModel::periodStep));
    m_periodSpin->setSuffix(tr(" seconds"));
    m_periodSpin->setMaximumWidth(220);
    // A half-typed number must not become the period.
    m_periodSpin->setKeyboardTracking(false);
    connect(m_periodSpin, &QSpinBox::valueChanged, this,
            [this](int value) { m_model->setManualPeriod(value); });
    auto* periodRow = new QHBoxLayout;
    periodRow->setContentsMargins(0, 0, 0, 0);
    periodRow->addWidget(m_periodSpin);
    periodRow->addStretch(1);
    m_periodCaption = caption(tr("Period"));

    grid->addWidget(caption(tr("Service")), 0, 0);
    grid->addWidget(m_issuerEdit, 0, 1);
    grid->addWidget(caption(tr("Account")), 1, 0);
    grid->addWidget(m_nameEdit, 1, 1);
    grid->addWidget(caption(tr("Secret")), 2, 0);
    grid->addWidget(m_secretEdit, 2, 1);
    grid->addWidget(caption(tr("Type")), 3, 0);
    grid->addWidget(m_typeSelector, 3, 1);
    grid->addWidget(caption(tr("Algorithm")), 4, 0);
    grid->addWidget(m_algorithmSelector, 4, 1);
    grid->addWidget(caption(tr("Digits")), 5, 0);
    grid->addWidget(m_digitsSelector, 5, 1, Qt::AlignLeft);
    grid->addWidget(m_periodCaption, 6, 0);
    grid->addLayout(periodRow, 6, 1);
    column->addLayout(grid);
    return panel;
}

QWidget* AddAccountDialog::buildFooter()
{
    auto* footer = new QWidget;
    auto* row = new QHBoxLayout(footer);
    row->setContentsMargins(sideMargin, 14, sideMargin, 14);
    row->addStretch(1);
    auto* cancel = new QPushButton(tr("Cancel"));
    cancel->setObjectName(QStringLiteral("footerCancelButton"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &AddAccountDialog::reject);
    row->addWidget(cancel);

    m_primary = new QPushButton;
    m_primary->setObjectName(QStringLiteral("primaryButton"));
    m_primary->setDefault(true);
    m_primary->setMinimumWidth(110);
    // The prominent button: accent-filled while it can be pressed.
    QPalette palette = m_primary->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Button, accentColor(palette));
        palette.setColor(group, QPalette::ButtonText, palette.color(group, QPalette::HighlightedText));
    }
    m_primary->setPalette(palette);
    auto* inside = new QHBoxLayout(m_primary);
    inside->setContentsMargins(8, 0, 8, 0);
    m_busy = new QProgressBar;
    m_busy->setObjectName(QStringLiteral("busyIndicator"));
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    m_busy->setFixedHeight(6);
    m_busy->hide();
    inside->addWidget(m_busy, 1, Qt::AlignVCenter);
    connect(m_primary, &QPushButton::clicked, this, &AddAccountDialog::runPrimaryAction);
    row->addWidget(m_primary);
    return footer;
}

void AddAccountDialog::installShortcuts()
{
    int key = Qt::Key_1;
    for (AddMode mode : allAddModes) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(key++)), this);
        connect(shortcut, &QShortcut::activated, this, [this, mode] { selectModeFromKeyboard(mode); });
    }
    for (Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | enter), this);
        connect(shortcut, &QShortcut::activated, this, &AddAccountDialog::runPrimaryAction);
    }
}

void AddAccountDialog::selectModeFromKeyboard(AddMode mode)
{
    m_model->setMode(mode);
    switch (mode) {
    case AddMode::pasteLink:
        m_linkEdit->setFocus(Qt::ShortcutFocusReason);
        return;
    case AddMode::manual:
        m_issuerEdit->setFocus(Qt::ShortcutFocusReason);
        return;
    case AddMode::scanScreen:
    case AddMode::imageFile:
        m_primary->setFocus(Qt::ShortcutFocusReason);
        return;
    }
}

void AddAccountDialog::runPrimaryAction()
{
    if (!m_model->isPrimaryEnabled())
        return;
    switch (m_model->mode()) {
    case AddMode::scanScreen:
        m_model->startScan();
        return;
    case AddMode::imageFile: {
        const QString path = m_chooseImageFile ? m_chooseImageFile(this) : QString();
        m_model->chooseImageFile(path);
        return;
    }
    case AddMode::pasteLink:
        m_model->addFromLink();
        return;
    case AddMode::manual:
        m_model->addManual();
        return;
    }
}

void AddAccountDialog::showStatus(const AddAccountModel& model)
{
    const bool hadStatus = m_status->isVisibleTo(this);
    const bool isError = !model.status().isEmpty() && !model.isWorking();
    QPalette colors = m_status->palette();
    colors.setColor(QPalette::WindowText, isError ? redColor() : secondaryColor(palette()));
    // Shown behind the line for a moment when the same error comes again.
    colors.setColor(QPalette::Window, withAlpha(redColor(), 0.15));
    m_status->setPalette(colors);
    // How far a large add has been written goes under the message.
    QStringList lines{model.status(), model.progress()};
    lines.removeAll(QString());
    const QString text = lines.join(u'\n');
    m_status->setText(text);
    m_status->setVisible(!text.isEmpty());
    if (model.statusReports() != m_shownReports) {
        m_shownReports = model.statusReports();
        if (isError) {
            // Screen readers announce the message; the same message again lights up once,
            // so the user sees the second attempt failed too.
            QAccessibleEvent alert(m_status, QAccessible::Alert);
            QAccessible::updateAccessibility(&alert);
            m_status->setAccessibleDescription(model.status());
            if (hadStatus) {
                m_status->setAutoFillBackground(true);
                QTimer::singleShot(400, m_status, [this] { m_status->setAutoFillBackground(false); });
            }
        }
    }
    if (hadStatus != !text.isEmpty())
        fitContent();
}

void AddAccountDialog::fitContent()
{
    // The content area takes the height its panel needs (within its bounds) and the dialog
    // grows with the status line, so no scrollbar appears over nothing to scroll.
    const int needed = m_content->widget()->sizeHint().height();
    m_content->setMinimumHeight(std::clamp(needed, 280, 360));
    adjustSize();
}

void AddAccountDialog::syncFromModel()
{
    const AddAccountModel& model = *m_model;
    m_modeSelector->setSelected(int(model.mode()));
    if (m_panels->currentIndex() != int(model.mode())) {
        m_panels->setCurrentIndex(int(model.mode()));
        fitContent();
    }

    showStatus(model);

    const bool busy =
        model.isWorking() && (model.mode() == AddMode::scanScreen || model.mode() == AddMode::imageFile);
    m_primary->setText(busy ? QString() : primaryButtonTitle(model.mode()));
    m_busy->setVisible(busy);
    m_primary->setEnabled(model.isPrimaryEnabled());

    // Only differing texts are written back, so the cursor stays where the user put it.
    if (m_linkEdit->toPlainText() != model.linkText()) {
        const QSignalBlocker blocker(m_linkEdit);
        m_linkEdit->setPlainText(model.linkText());
    }
    for (auto [edit, text] :
         {std::pair{m_issuerEdit, &model.manualIssuer()}, std::pair{m_nameEdit, &model.manualName()},
          std::pair{m_secretEdit, &model.manualSecret()}}) {
        if (edit->text() != *text)
            edit->setText(*text);
    }
    m_typeSelector->setSelected(int(model.manualType()));
    m_algorithmSelector->setSelected(int(model.manualAlgorithm()));
    m_digitsSelector->setSelected(int(model.manualDigits()));
    if (m_periodSpin->value() != model.manualPeriod()) {
        const QSignalBlocker blocker(m_periodSpin);
        m_periodSpin->setValue(int(model.manualPeriod()));
    }
    const bool timeBased = model.manualType() == OTPType::totp;
    m_periodCaption->setVisible(timeBased);
    m_periodSpin->setVisible(timeBased);
}

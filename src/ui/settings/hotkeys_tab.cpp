// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/hotkeys_tab.h"

#include "platform/keystroke_sender.h"
#include "settings/app_settings.h"
#include "storage/account_store.h"
#include "ui/settings/hotkeys_tab_binding_row.h"
#include "ui/settings/hotkeys_tab_rules.h"
#include "ui/settings/settings_window_widgets.h"
#include "ui/widgets/app_icons.h"
#include "ui/widgets/empty_state.h"
#include "ui/widgets/label_factory.h"
#include "ui/widgets/recorder_button.h"
#include "ui/widgets/ui_colors.h"
#include "ui/widgets/ui_fonts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

HotKeysTab::HotKeysTab(AccountStore& store, AppSettings& settings, KeystrokeSender& keystrokes,
                       QWidget* parent)
    : QWidget(parent), m_store(store), m_settings(settings), m_keystrokes(keystrokes),
      m_canSendKeystrokes(keystrokes.canSendKeystrokes())
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildHeader());
    m_sessionNotice = new QLabel(this);
    m_sessionNotice->setObjectName(QStringLiteral("hotkeysSessionNotice"));
    m_sessionNotice->setWordWrap(true);
    m_sessionNotice->setContentsMargins(20, 0, 20, 12);
    m_sessionNotice->hide();
    column->addWidget(m_sessionNotice);
    m_warning = buildWarning();
    column->addWidget(m_warning);
    column->addWidget(horizontalDivider(this));

    m_emptyState = buildEmptyState();
    column->addWidget(m_emptyState, 1);

    auto* listContent = new QWidget;
    m_listLayout = new QVBoxLayout(listContent);
    m_listLayout->setContentsMargins(0, 0, 0, 0);
    m_listLayout->setSpacing(0);
    m_listLayout->addStretch(1);
    m_list = new QScrollArea(this);
    m_list->setObjectName(QStringLiteral("bindingList"));
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setWidgetResizable(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setWidget(listContent);
    column->addWidget(m_list, 1);

    column->addWidget(horizontalDivider(this));
    column->addWidget(buildFooter());

    m_pollTimer.setInterval(permissionPollMs);
    connect(&m_pollTimer, &QTimer::timeout, this, &HotKeysTab::refreshPermission);
    connect(&m_settings, &AppSettings::bindingsChanged, this, &HotKeysTab::syncRows);
    connect(&m_store, &AccountStore::accountsChanged, this, &HotKeysTab::syncRows);
    syncRows();
}

HotKeysTab::~HotKeysTab()
{
    // Rows die after this object; their last signals must not reach it.
    for (const HotKeysTabBindingRow* row : std::as_const(m_rows))
        disconnect(row->recorderButton(), nullptr, this, nullptr);
    if (isRecording())
        Q_EMIT recordingChanged(false);
}

QWidget* HotKeysTab::buildHeader()
{
    auto* header = new QWidget(this);
    auto* column = new QVBoxLayout(header);
    column->setContentsMargins(20, 20, 20, 12);
    column->setSpacing(6);
    column->addWidget(sectionTitle(tr("Global hotkeys"), header));
    column->addWidget(textLabel(
        tr("Each row links a key combination to one of your accounts. Press the combination anywhere on "
           "your "
           "desktop — even when this app is in the background — and the current code is copied to the "
           "clipboard. Toggle Auto-paste to also insert the code at the cursor in the focused app."),
        {.style = TextStyle::callout, .tone = TextTone::secondary, .wrap = true}, header));
    return header;
}

QWidget* HotKeysTab::buildWarning()
{
    auto* strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("pasteWarning"));
    strip->setAutoFillBackground(true);
    QPalette pal = strip->palette();
    const QColor base = pal.color(QPalette::Window);
    const QColor orange = orangeColor();
    // Orange at 10 % over the window colour, so the strip stays opaque.
    pal.setColor(QPalette::Window, QColor::fromRgbF(base.redF() * 0.9f + orange.redF() * 0.1f,
                                                    base.greenF() * 0.9f + orange.greenF() * 0.1f,
                                                    base.blueF() * 0.9f + orange.blueF() * 0.1f));
    strip->setPalette(pal);

    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(20, 10, 20, 10);
    row->setSpacing(10);
    row->addWidget(iconLabel(AppIcon::warning, 18, orange, strip), 0, Qt::AlignVCenter);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(calloutTitle(tr("Auto-paste cannot type into other apps here"), strip));
    texts->addWidget(captionText(tr("This desktop session does not let Brisvane send keystrokes. Codes are "
                                    "still copied; paste them with Ctrl+V."),
                                 strip));
    row->addLayout(texts, 1);
    return strip;
}

QWidget* HotKeysTab::buildEmptyState()
{
    QWidget* box =
        emptyStateWidget({.icon = AppIcon::keyboardCircle,
                          .iconSize = 40,
                          .title = tr("No hotkeys yet"),
                          .text = tr("Click Add hotkey to map a key combination to one of your accounts."),
                          .margins = QMargins(60, 40, 60, 40)},
                         this);
    box->setObjectName(QStringLiteral("noHotkeys"));
    return box;
}

QWidget* HotKeysTab::buildFooter()
{
    auto* footer = new QWidget(this);
    auto* row = new QHBoxLayout(footer);
    row->setContentsMargins(20, 12, 20, 12);
    auto* add = new QPushButton(appIcon(AppIcon::plus), tr("Add hotkey"), footer);
    add->setObjectName(QStringLiteral("addHotkey"));
    connect(add, &QPushButton::clicked, this, [this] { m_settings.addBinding(); });
    row->addWidget(add);
    row->addStretch(1);
    m_count = textLabel(QString(), {.style = TextStyle::caption, .tone = TextTone::secondary}, footer);
    m_count->setObjectName(QStringLiteral("bindingCount"));
    row->addWidget(m_count);
    return footer;
}

void HotKeysTab::syncRows()
{
    const QList<HotKeyBinding>& bindings = m_settings.bindings();
    QList<HotKeysTabBindingRow*> unused = m_rows;
    QList<HotKeysTabBindingRow*> ordered;
    for (const HotKeyBinding& binding : bindings) {
        const auto reusable =
            std::find_if(unused.begin(), unused.end(),
                         [&](const HotKeysTabBindingRow* row) { return row->bindingID() == binding.id; });
        HotKeysTabBindingRow* row = nullptr;
        if (reusable != unused.end()) {
            row = *reusable;
            unused.erase(reusable);
        } else {
            row = new HotKeysTabBindingRow(m_settings, binding, m_listLayout->parentWidget());
            connect(row, &HotKeysTabBindingRow::permissionWanted, this,
                    [this] { m_keystrokes.requestPermission(); });
            const RecorderButton* recorder = row->recorderButton();
            connect(row->recorderButton(), &RecorderButton::recordingChanged, this,
                    [this, recorder](bool recording) { noteRecording(recorder, recording); });
        }
        ordered.append(row);
    }
    for (HotKeysTabBindingRow* row : std::as_const(unused)) {
        // The row's own remove button may be the sender of this change.
        disconnect(row->recorderButton(), nullptr, this, nullptr);
        noteRecording(row->recorderButton(), false);
        m_listLayout->removeWidget(row);
        row->hide();
        row->deleteLater();
    }
    for (qsizetype i = 0; i < ordered.size(); ++i) {
        m_listLayout->removeWidget(ordered.at(i));
        m_listLayout->insertWidget(static_cast<int>(i), ordered.at(i));
        ordered.at(i)->setContent(bindings.at(i), m_store.accounts(), m_canSendKeystrokes,
                                  isShadowedBinding(bindings, m_store.accounts(), i));
    }
    m_rows = ordered;
    refreshDesktopTriggers();
    refreshDerived();
}

void HotKeysTab::setSessionNotice(const QString& text)
{
    m_sessionNotice->setText(text);
    m_sessionNotice->setVisible(!text.isEmpty());
}

void HotKeysTab::setDesktopTriggers(std::function<std::optional<QString>(const QUuid&)> lookup)
{
    m_desktopTriggers = std::move(lookup);
    refreshDesktopTriggers();
}

void HotKeysTab::refreshDesktopTriggers()
{
    for (HotKeysTabBindingRow* row : std::as_const(m_rows))
        row->setDesktopTrigger(m_desktopTriggers ? m_desktopTriggers(row->bindingID()) : std::nullopt);
}

void HotKeysTab::refreshDerived()
{
    const QList<HotKeyBinding>& bindings = m_settings.bindings();
    m_warning->setVisible(showsPasteWarning(bindings, m_canSendKeystrokes));
    m_emptyState->setVisible(bindings.isEmpty());
    m_list->setVisible(!bindings.isEmpty());
    m_count->setVisible(!bindings.isEmpty());
    m_count->setText(bindingCountText(bindings, m_store.accounts()));
}

void HotKeysTab::noteRecording(const RecorderButton* recorder, bool recording)
{
    const bool before = isRecording();
    if (recording)
        m_recording.insert(recorder);
    else
        m_recording.remove(recorder);
    if (isRecording() != before)
        Q_EMIT recordingChanged(isRecording());
}

void HotKeysTab::refreshPermission()
{
    const bool granted = m_keystrokes.canSendKeystrokes();
    if (granted == m_canSendKeystrokes)
        return;
    m_canSendKeystrokes = granted;
    syncRows();
}

void HotKeysTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refreshPermission();
    m_pollTimer.start();
}

void HotKeysTab::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_pollTimer.stop();
    // A recorder still recording behind a hidden tab would keep the hotkeys paused.
    for (HotKeysTabBindingRow* row : std::as_const(m_rows)) {
        if (row->recorderButton()->isRecording())
            row->recorderButton()->toggleRecord();
    }
}

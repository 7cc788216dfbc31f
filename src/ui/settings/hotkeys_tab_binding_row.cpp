// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/hotkeys_tab_binding_row.h"

#include "core/uuid_text.h"
#include "settings/app_settings.h"
#include "ui/settings/hotkeys_tab_rules.h"
#include "ui/widgets/app_icons.h"
#include "ui/widgets/hot_key_recorder.h"
#include "ui/widgets/recorder_button.h"
#include "ui/widgets/ui_colors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QToolButton>

namespace {

constexpr QSize recorderSize(150, 24);
constexpr int pickerTextWidth = 220;

} // namespace

HotKeysTabBindingRow::HotKeysTabBindingRow(AppSettings& settings, const HotKeyBinding& binding,
                                           QWidget* parent)
    : QWidget(parent), m_settings(settings), m_binding(binding)
{
    m_enabled = new QCheckBox(this);
    m_enabled->setObjectName(QStringLiteral("bindingEnabled"));
    m_enabled->setToolTip(tr("Enable this hotkey"));
    m_enabled->setAccessibleName(m_enabled->toolTip());
    connect(m_enabled, &QCheckBox::clicked, this,
            [this](bool on) { edit([on](HotKeyBinding& b) { b.enabled = on; }); });

    m_account = new QComboBox(this);
    m_account->setObjectName(QStringLiteral("bindingAccount"));
    m_account->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_account->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_account->setMinimumContentsLength(12);
    connect(m_account, &QComboBox::activated, this, [this](int index) {
        const std::optional<QUuid> id =
            index <= 0 ? std::nullopt : parseUUID(m_account->itemData(index).toString());
        edit([id](HotKeyBinding& b) { b.accountID = id; });
    });

    m_recorder = HotKeyRecorder::forBinding(settings, binding.id, this)->button();
    m_recorder->setObjectName(QStringLiteral("bindingRecorder"));
    m_recorder->setFixedSize(recorderSize);

    m_autoPaste = new QToolButton(this);
    m_autoPaste->setObjectName(QStringLiteral("bindingAutoPaste"));
    m_autoPaste->setCheckable(true);
    m_autoPaste->setAutoRaise(true);
    m_autoPaste->setIcon(appIcon(AppIcon::textCursor));
    m_autoPaste->setAccessibleName(tr("Auto-paste"));
    connect(m_autoPaste, &QToolButton::clicked, this, [this](bool on) {
        edit([on](HotKeyBinding& b) { b.autoPaste = on; });
        if (on && !m_canSendKeystrokes)
            Q_EMIT permissionWanted();
    });

    m_remove = new QToolButton(this);
    m_remove->setObjectName(QStringLiteral("bindingRemove"));
    m_remove->setAutoRaise(true);
    m_remove->setIcon(appIcon(AppIcon::trash));
    m_remove->setToolTip(tr("Remove hotkey"));
    m_remove->setAccessibleName(m_remove->toolTip());
    const QUuid id = binding.id;
    connect(m_remove, &QToolButton::clicked, this, [this, id] { m_settings.removeBinding(id); });

    m_conflict = new QLabel(this);
    m_conflict->setObjectName(QStringLiteral("bindingConflict"));
    m_conflict->setPixmap(
        tintedIconPixmap(AppIcon::warning, QSize(16, 16), orangeColor(), devicePixelRatioF()));
    m_conflict->setToolTip(tr("A hotkey above already uses this combination; only that one works."));
    m_conflict->setAccessibleName(m_conflict->toolTip());
    m_conflict->hide();

    m_desktopTrigger = new QLabel(this);
    m_desktopTrigger->setObjectName(QStringLiteral("bindingDesktopTrigger"));
    m_desktopTrigger->setWordWrap(true);
    m_desktopTrigger->hide();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 10, 20, 10);
    column->setSpacing(4);
    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    row->addWidget(m_enabled);
    row->addWidget(m_account, 1);
    row->addWidget(m_conflict);
    row->addWidget(m_recorder);
    row->addWidget(m_autoPaste);
    row->addWidget(m_remove);
    column->addLayout(row);
    column->addWidget(m_desktopTrigger);
}

void HotKeysTabBindingRow::setDesktopTrigger(const std::optional<QString>& trigger)
{
    const QString text = desktopTriggerText(trigger);
    m_desktopTrigger->setText(text);
    m_desktopTrigger->setVisible(!text.isEmpty());
}

void HotKeysTabBindingRow::setContent(const HotKeyBinding& binding, const QList<Account>& accounts,
                                      bool canSendKeystrokes, bool shadowed)
{
    m_conflict->setVisible(shadowed);
    m_binding = binding;
    m_canSendKeystrokes = canSendKeystrokes;
    {
        const QSignalBlocker blocker(m_enabled);
        m_enabled->setChecked(binding.enabled);
    }
    {
        const QSignalBlocker blocker(m_account);
        m_account->clear();
        m_account->addItem(tr("— pick an account —"));
        int selected = binding.accountID ? -1 : 0;
        for (const Account& account : accounts) {
            // Long names end in "\u2026", so the picker and its list stay inside the window.
            const QString label = displayLabel(account);
            m_account->addItem(m_account->fontMetrics().elidedText(label, Qt::ElideRight, pickerTextWidth),
                               uuidText(account.id));
            m_account->setItemData(m_account->count() - 1, label, Qt::ToolTipRole);
            if (binding.accountID == account.id)
                selected = m_account->count() - 1;
        }
        // An account deleted since is named as such (choosing it again keeps the binding as it is).
        if (selected < 0) {
            m_account->insertItem(1, tr("Account deleted"), uuidText(*binding.accountID));
            selected = 1;
        }
        m_account->setCurrentIndex(selected);
    }
    {
        const QSignalBlocker blocker(m_autoPaste);
        m_autoPaste->setChecked(binding.autoPaste);
    }
    m_autoPaste->setToolTip(autoPasteToolTip(binding.autoPaste, canSendKeystrokes));
}

void HotKeysTabBindingRow::edit(const std::function<void(HotKeyBinding&)>& change)
{
    const QList<HotKeyBinding>& bindings = m_settings.bindings();
    const auto stored = std::find_if(bindings.cbegin(), bindings.cend(),
                                     [this](const HotKeyBinding& b) { return b.id == m_binding.id; });
    if (stored == bindings.cend())
        return;
    HotKeyBinding changed = *stored;
    change(changed);
    m_settings.updateBinding(changed);
}

void HotKeysTabBindingRow::paintEvent(QPaintEvent*)
{
    // The divider under every row, the last one included.
    QPainter painter(this);
    painter.setPen(quaternaryColor(palette()));
    painter.drawLine(0, height() - 1, width(), height() - 1);
}

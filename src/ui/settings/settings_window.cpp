// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/settings_window.h"

#include "settings/app_settings.h"
#include "ui/settings/general_tab.h"
#include "ui/settings/hotkeys_tab.h"
#include "ui/widgets/app_icons.h"
#include "ui/widgets/label_factory.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

SettingsWindow::SettingsWindow(AccountStore& store, AppSettings& settings, LoginItem& loginItem,
                               KeystrokeSender& keystrokes, QString keyringManager, QWidget* parent)
    : QWidget(parent, Qt::Window), m_tabs(new QTabWidget(this)),
      m_general(new GeneralTab(store, settings, loginItem, std::move(keyringManager))),
      m_hotKeys(new HotKeysTab(store, settings, keystrokes))
{
    setObjectName(QStringLiteral("settingsWindow"));
    // The desktop adds " \u2014 Brisvane" after the title itself.
    setWindowTitle(tr("Settings"));
    setWindowIcon(appIcon(AppIcon::application));
    setFixedSize(windowWidth, windowHeight);
    m_tabs->setDocumentMode(true);
    m_tabs->addTab(m_general, appIcon(AppIcon::gear), tr("General"));
    m_tabs->addTab(m_hotKeys, appIcon(AppIcon::keyboard), tr("Hotkeys"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->addWidget(m_tabs);

    // A change that is shown but not saved would be gone at the next start: say so.
    QLabel* writeError = textLabel(QString(), {.wrap = true}, this);
    writeError->setObjectName(QStringLiteral("settingsWriteError"));
    writeError->setContentsMargins(12, 4, 12, 8);
    layout->addWidget(writeError);
    const auto showWriteError = [writeError, &settings] {
        writeError->setText(settings.writeError().value_or(QString()));
        writeError->setVisible(settings.writeError().has_value());
    };
    showWriteError();
    connect(&settings, &AppSettings::writeErrorChanged, writeError, showWriteError);
}

void SettingsWindow::present()
{
    show();
    raise();
    activateWindow();
}

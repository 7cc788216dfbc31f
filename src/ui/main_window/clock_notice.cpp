// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/clock_notice.h"

#include "settings/app_settings.h"

#include <QDesktopServices>
#include <QUrl>

const QString ClockNotice::helpUrl =
    QStringLiteral("https://github.com/brisvane/brisvane#clock-not-synchronised");

ClockNotice::ClockNotice(ClockSync& sync, AppSettings& settings, QWidget* parent)
    : QLabel(parent), m_sync(sync), m_settings(settings)
{
    setObjectName(QStringLiteral("clockNotice"));
    setWordWrap(true);
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::TextBrowserInteraction);
    setText(tr("Your clock is not synchronised; codes may be rejected.") +
            QStringLiteral(" <a href=\"%1\">%2</a> · <a href=\"dismiss\">%3</a>")
                .arg(helpUrl, tr("How to fix it"), tr("Dismiss")));
    setAccessibleName(tr("Your clock is not synchronised; codes may be rejected."));
    hide();
    connect(this, &QLabel::linkActivated, this, [this](const QString& link) {
        if (link == QLatin1String("dismiss"))
            dismiss();
        else
            QDesktopServices::openUrl(QUrl(link));
    });
    m_recheck.setInterval(recheckInterval);
    connect(&m_recheck, &QTimer::timeout, this, &ClockNotice::check);
    m_recheck.start();
    check();
}

ClockNotice::~ClockNotice()
{
    *m_alive = false;
}

bool ClockNotice::wanted(ClockSyncState state, bool dismissedWhenUnknown)
{
    switch (state) {
    case ClockSyncState::synchronised:
        return false;
    case ClockSyncState::notSynchronised:
        return true;
    case ClockSyncState::unknown:
        return !dismissedWhenUnknown;
    }
    return false;
}

void ClockNotice::dismiss()
{
    m_dismissedThisRun = true;
    if (m_state == ClockSyncState::unknown)
        m_settings.setClockNoticeDismissed(true);
    hide();
}

void ClockNotice::check()
{
    m_sync.query([this, alive = m_alive](ClockSyncState state) {
        if (*alive)
            apply(state);
    });
}

void ClockNotice::apply(ClockSyncState state)
{
    m_state = state;
    setVisible(!m_dismissedThisRun && wanted(state, m_settings.clockNoticeDismissed()));
    Q_EMIT answered(state);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <optional>

// One running process per user: the first claims a local socket in a folder private to the user;
// a later launch hands its request to that process and ends. Two processes would fight over
// the hotkeys and the keyring.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    enum class Role
    {
        primary,    // this process serves; requests arrive as signals
        secondary,  // another process runs and received the request
        alone,      // no socket could be set up; this process runs unguarded
        unanswered, // another process holds the socket but did not answer
        refused     // the socket or its lock belongs to another user: problem() says which
    };
    enum class Request
    {
        activate,
        settings,
        none
    };

    // The server name is a socket path; tests pass their own.
    explicit SingleInstance(QString serverName, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The per-user socket in a folder only this user can create files in: XDG_RUNTIME_DIR,
    // else a private folder under the user's cache folder (made on first use). Empty when
    // neither is usable; *problem then says why.
    static QString defaultServerName(QString* problem);
    // Whether the folder belongs to this user and nobody else may create files in it;
    // otherwise the reason.
    static std::optional<QString> folderProblem(const QString& folder);

    // Becomes the primary, or passes the request to a running primary. A setup link given
    // with the request reaches the primary as linkReceived (the request is then activate).
    Role claim(Request request, const QString& link = QString());
    // Why the latest claim was refused.
    const QString& problem() const { return m_problem; }

Q_SIGNALS:
    // A later launch asked to see the main window.
    void activationRequested();
    // A later launch asked for the settings window (the desktop entry's Settings action).
    void settingsRequested();
    // A later launch was given an otpauth:// link to add (never added without the user).
    void linkReceived(const QString& link);

private:
    enum class Delivery
    {
        noServer,
        delivered,
        unanswered
    };
    Delivery sendToRunning(const QByteArray& line);
    void serve();

    QString m_serverName;
    QString m_problem;
    QLocalServer m_server;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clipboard.h"

#include <QString>
#include <memory>

// The Wayland clipboard through the data-control protocol (ext-data-control-v1, else
// zwlr-data-control-v1), on a connection of its own to the compositor. Unlike a toolkit's
// clipboard it does not need keyboard focus, so a code copied by a global hotkey while
// another app is in front really lands on the clipboard.
class DataControlClipboard : public Clipboard
{
public:
    class Connection;

    // Null when there is no Wayland display (`display` as for wl_display_connect; null means
    // WAYLAND_DISPLAY) or it offers no data-control protocol and seat.
    static std::unique_ptr<DataControlClipboard> connect(const char* display = nullptr);
    ~DataControlClipboard() override;

    // False once the compositor has gone away or refused the request.
    bool setSecretText(const QString& text) override;
    // Our own text while we hold the selection, else what the current owner sends as text
    // within a second.
    QString text() const override;
    void clear() override;

    // The protocol in use: "ext_data_control_manager_v1" or "zwlr_data_control_manager_v1".
    QString protocolName() const;

private:
    explicit DataControlClipboard(std::unique_ptr<Connection> connection);

    std::unique_ptr<Connection> m_connection;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/login_item.h"

#include <optional>

// A login item whose status is set by the test; register and unregister succeed and change
// the status unless a failure message is set.
class FakeLoginItem : public LoginItem
{
public:
    Status status() const override { return m_status; }
    Result<Done, QString> registerItem() override
    {
        ++m_registers;
        if (m_failure)
            return *m_failure;
        m_status = Status::enabled;
        return Done{};
    }
    Result<Done, QString> unregisterItem() override
    {
        ++m_unregisters;
        if (m_failure)
            return *m_failure;
        m_status = Status::notRegistered;
        return Done{};
    }

    void setStatus(Status status) { m_status = status; }
    void setFailure(std::optional<QString> message) { m_failure = std::move(message); }
    int registers() const { return m_registers; }
    int unregisters() const { return m_unregisters; }

private:
    Status m_status = Status::notRegistered;
    std::optional<QString> m_failure;
    int m_registers = 0;
    int m_unregisters = 0;
};

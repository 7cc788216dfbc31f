// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/canberra_sound_player.h"

#include <canberra.h>

struct CanberraSoundPlayer::Context
{
    ca_context* handle = nullptr;
    bool tried = false;
};

CanberraSoundPlayer::CanberraSoundPlayer() : m_context(std::make_unique<Context>()) {}

CanberraSoundPlayer::~CanberraSoundPlayer()
{
    if (m_context->handle)
        ca_context_destroy(m_context->handle);
}

void CanberraSoundPlayer::playConfirmation()
{
    play("message", "Code copied");
}

void CanberraSoundPlayer::playAlert()
{
    play("bell", "Alert");
}

void CanberraSoundPlayer::play(const char* eventID, const char* description)
{
    // Created on first use, and only once: a session without sound should not pay for a
    // failing backend probe at every press.
    if (!m_context->tried) {
        m_context->tried = true;
        ca_context* handle = nullptr;
        if (ca_context_create(&handle) == CA_SUCCESS) {
            ca_context_change_props(handle, CA_PROP_APPLICATION_NAME, "Brisvane", CA_PROP_APPLICATION_ID,
                                    "org.brisvane.Brisvane", nullptr);
            m_context->handle = handle;
        }
    }
    if (!m_context->handle) {
        m_lastStatus = CA_ERROR_STATE;
        return;
    }
    m_lastStatus = ca_context_play(m_context->handle, 0, CA_PROP_EVENT_ID, eventID, CA_PROP_EVENT_DESCRIPTION,
                                   description, nullptr);
}

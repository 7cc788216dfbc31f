// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Internal to the Secret Service backend: libsecret and GLib types stay in this folder.

#include "platform/secure_item_status.h"

#include <glib.h>

// The status a failed call reports. Failures while connecting mean that no provider answers.
enum class SecretServiceStage
{
    connecting,
    operating
};

SecureItemStatus statusForError(const GError* error, SecretServiceStage stage);

// Whether a fresh connection might succeed where this one failed (a restarted daemon, a
// stale session).
bool worthReconnecting(SecureItemStatus status);

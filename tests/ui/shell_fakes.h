// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/fake_clipboard.h"
#include "support/fake_hot_key_service.h"
#include "support/fake_keystroke_sender.h"
#include "support/fake_login_item.h"
#include "support/fake_secure_item_store.h"
#include "support/fake_sound_player.h"
#include "ui/shell/application_shell.h"

#include <QSettings>
#include <QTemporaryDir>

// Every service a shell needs, as fakes, with the preferences in a folder of their own.
struct ShellFakes
{
    ShellServices services()
    {
        return {m_items, m_preferences, m_clipboard, m_hotKeys, m_keystrokes, m_sounds, m_login, {}};
    }

    QTemporaryDir m_dir;
    FakeSecureItemStore m_items;
    QSettings m_preferences{m_dir.filePath(QStringLiteral("brisvane.conf")), QSettings::IniFormat};
    FakeClipboard m_clipboard;
    FakeHotKeyService m_hotKeys;
    FakeKeystrokeSender m_keystrokes;
    FakeSoundPlayer m_sounds;
    FakeLoginItem m_login;
};

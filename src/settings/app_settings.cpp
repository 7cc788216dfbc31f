// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/app_settings.h"

#include "core/uuid_text.h"
#include "platform/key_codes.h"
#include "settings/hot_key_binding_json.h"

#include <QSettings>
#include <QStringList>
#include <algorithm>

namespace {

const QString bindingsKey = QStringLiteral("hotkeyBindings.v1");
const QString unreadableBindingsKey = QStringLiteral("hotkeyBindings.v1.unreadable");
const QString showCodeInMenuBarKey = QStringLiteral("showCodeInMenuBar.v1");
const QString menuBarAccountIDKey = QStringLiteral("menuBarAccountID.v1");
const QString revealCodesInMenuKey = QStringLiteral("revealCodesInMenu.v1");
const QString menuBarHiddenAccountIDsKey = QStringLiteral("menuBarHiddenAccountIDs.v1");
const QString clearClipboardSecondsKey = QStringLiteral("clearClipboardSeconds.v1");
const QString clockNoticeDismissedKey = QStringLiteral("clockNoticeDismissed.v1");

// The bindings are stored as data; a hand-edited file may hold the same JSON as text.
std::optional<QList<HotKeyBinding>> decodeStoredBindings(const QVariant& stored)
{
    switch (stored.typeId()) {
    case QMetaType::QByteArray:
        return decodeHotKeyBindingList(stored.toByteArray());
    case QMetaType::QString:
        return decodeHotKeyBindingList(stored.toString().toUtf8());
    default:
        return std::nullopt;
    }
}

bool readBool(const QSettings& store, const QString& key, bool fallback)
{
    return store.contains(key) ? store.value(key).toBool() : fallback;
}

// The INI format reads a one-element list back as a plain string.
QStringList readStringArray(const QVariant& stored)
{
    switch (stored.typeId()) {
    case QMetaType::QStringList:
        return stored.toStringList();
    case QMetaType::QString:
        return {stored.toString()};
    case QMetaType::QVariantList: {
        QStringList strings;
        for (const QVariant& element : stored.toList()) {
            if (element.typeId() == QMetaType::QString)
                strings.append(element.toString());
        }
        return strings;
    }
    default:
        return {};
    }
}

} // namespace

AppSettings::AppSettings(QSettings& store, QObject* parent) : QObject(parent), m_store(store)
{
    load();
}

void AppSettings::load()
{
    const QVariant storedBindings = m_store.value(bindingsKey);
    if (storedBindings.isValid()) {
        if (auto bindings = decodeStoredBindings(storedBindings))
            m_bindings = std::move(*bindings);
        else
            m_unreadableBindings = storedBindings;
    }

    m_showCodeInMenuBar = readBool(m_store, showCodeInMenuBarKey, true);

    const QVariant storedAccountID = m_store.value(menuBarAccountIDKey);
    if (storedAccountID.typeId() == QMetaType::QString)
        m_menuBarAccountID = parseUUID(storedAccountID.toString());

    m_revealCodesInMenu = readBool(m_store, revealCodesInMenuKey, true);

    for (const QString& text : readStringArray(m_store.value(menuBarHiddenAccountIDsKey))) {
        if (auto id = parseUUID(text))
            m_menuBarHiddenAccountIDs.insert(*id);
    }

    m_clockNoticeDismissed = readBool(m_store, clockNoticeDismissedKey, false);

    // A hand-edited value that is not a number in range keeps the default.
    bool isNumber = false;
    const int seconds = m_store.value(clearClipboardSecondsKey).toString().toInt(&isNumber);
    if (isNumber && seconds >= 0 && seconds <= maxClearClipboardSeconds)
        m_clearClipboardSeconds = seconds;
}

void AppSettings::setClockNoticeDismissed(bool dismissed)
{
    m_clockNoticeDismissed = dismissed;
    write(clockNoticeDismissedKey, dismissed);
}

void AppSettings::setClearClipboardSeconds(int seconds)
{
    m_clearClipboardSeconds = std::clamp(seconds, 0, maxClearClipboardSeconds);
    write(clearClipboardSecondsKey, m_clearClipboardSeconds);
    Q_EMIT clearClipboardSecondsChanged(m_clearClipboardSeconds);
}

void AppSettings::setBindings(const QList<HotKeyBinding>& bindings)
{
    m_bindings = bindings;
    persistBindings();
    Q_EMIT bindingsChanged(m_bindings);
}

void AppSettings::updateBinding(const HotKeyBinding& binding)
{
    QList<HotKeyBinding> bindings = m_bindings;
    bool found = false;
    for (HotKeyBinding& existing : bindings) {
        if (existing.id == binding.id) {
            existing = binding;
            found = true;
        }
    }
    if (found)
        setBindings(bindings);
}

void AppSettings::addBinding()
{
    QList<HotKeyBinding> bindings = m_bindings;
    HotKeyBinding binding;
    binding.id = QUuid::createUuid();
    binding.modifiers = CarbonMask::command | CarbonMask::shift | CarbonMask::option;
    bindings.append(binding);
    setBindings(bindings);
}

void AppSettings::removeBinding(const QUuid& id)
{
    QList<HotKeyBinding> bindings = m_bindings;
    bindings.removeIf([&id](const HotKeyBinding& binding) { return binding.id == id; });
    setBindings(bindings);
}

void AppSettings::persistBindings()
{
    if (m_unreadableBindings.isValid())
        setUnreadableBindingsAside();
    write(bindingsKey, encodeHotKeyBindingList(m_bindings));
}

// Never overwrites data set aside earlier: a second unreadable document goes under the next
// free numbered key, and data already kept is not copied again.
void AppSettings::setUnreadableBindingsAside()
{
    for (int n = 1;; ++n) {
        const QString key =
            n == 1 ? unreadableBindingsKey : unreadableBindingsKey + u'.' + QString::number(n);
        if (!m_store.contains(key)) {
            write(key, m_unreadableBindings);
            break;
        }
        if (m_store.value(key) == m_unreadableBindings)
            break;
    }
    m_unreadableBindings.clear();
}

void AppSettings::setShowCodeInMenuBar(bool show)
{
    m_showCodeInMenuBar = show;
    write(showCodeInMenuBarKey, show);
    Q_EMIT showCodeInMenuBarChanged(show);
}

void AppSettings::setMenuBarAccountID(std::optional<QUuid> id)
{
    m_menuBarAccountID = id;
    if (id) {
        write(menuBarAccountIDKey, uuidText(*id));
    } else {
        m_store.remove(menuBarAccountIDKey);
        syncAndCheck();
    }
    Q_EMIT menuBarAccountIDChanged();
}

void AppSettings::setRevealCodesInMenu(bool reveal)
{
    m_revealCodesInMenu = reveal;
    write(revealCodesInMenuKey, reveal);
    Q_EMIT revealCodesInMenuChanged(reveal);
}

void AppSettings::setMenuBarHiddenAccountIDs(const QSet<QUuid>& ids)
{
    m_menuBarHiddenAccountIDs = ids;
    persistMenuBarHiddenAccountIDs();
    Q_EMIT menuBarHiddenAccountIDsChanged();
}

void AppSettings::setAccountShownInMenu(const QUuid& id, bool shown)
{
    QSet<QUuid> ids = m_menuBarHiddenAccountIDs;
    if (shown)
        ids.remove(id);
    else
        ids.insert(id);
    setMenuBarHiddenAccountIDs(ids);
}

void AppSettings::persistMenuBarHiddenAccountIDs()
{
    QStringList texts;
    texts.reserve(m_menuBarHiddenAccountIDs.size());
    for (const QUuid& id : m_menuBarHiddenAccountIDs)
        texts.append(uuidText(id));
    write(menuBarHiddenAccountIDsKey, texts);
}

// Written through at once, so a crash or a second reader never sees stale preferences.
void AppSettings::write(const QString& key, const QVariant& value)
{
    m_store.setValue(key, value);
    syncAndCheck();
}

// QSettings fails silently; its status after a sync is the only sign that nothing was saved.
void AppSettings::syncAndCheck()
{
    m_store.sync();
    std::optional<QString> error;
    switch (m_store.status()) {
    case QSettings::NoError:
        break;
    case QSettings::AccessError:
        error = tr("Settings could not be saved: %1 cannot be written.").arg(m_store.fileName());
        break;
    case QSettings::FormatError:
        error = tr("Settings could not be saved: %1 is not a settings file.").arg(m_store.fileName());
        break;
    }
    if (error == m_writeError)
        return;
    m_writeError = error;
    Q_EMIT writeErrorChanged();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gated_secure_item_store.h"

#include <thread>

void GatedSecureItemStore::close()
{
    const std::lock_guard lock(m_mutex);
    m_open = false;
}

void GatedSecureItemStore::open()
{
    {
        const std::lock_guard lock(m_mutex);
        m_open = true;
    }
    m_opened.notify_all();
}

int GatedSecureItemStore::arrivals()
{
    const std::lock_guard lock(m_mutex);
    return m_arrivals;
}

void GatedSecureItemStore::pass()
{
    {
        std::unique_lock lock(m_mutex);
        ++m_arrivals;
        m_opened.wait(lock, [this] { return m_open; });
    }
    std::this_thread::sleep_for(m_delay);
}

SecureItemStatus GatedSecureItemStore::update(const QString& service, const QString& account,
                                              const QByteArray& value, const QString& label)
{
    pass();
    return m_inner.update(service, account, value, label);
}

SecureItemStatus GatedSecureItemStore::add(const QString& service, const QString& account,
                                           const QByteArray& value, const QString& label)
{
    pass();
    return m_inner.add(service, account, value, label);
}

Result<QByteArray, SecureItemStatus> GatedSecureItemStore::copyOne(const QString& service,
                                                                   const QString& account)
{
    pass();
    return m_inner.copyOne(service, account);
}

Result<QList<SecureItem>, SecureItemStatus> GatedSecureItemStore::copyAll(const QString& service)
{
    pass();
    return m_inner.copyAll(service);
}

SecureItemStatus GatedSecureItemStore::remove(const QString& service, const QString& account)
{
    pass();
    return m_inner.remove(service, account);
}

SecureItemStatus GatedSecureItemStore::removeItem(const QByteArray& handle)
{
    pass();
    return m_inner.removeItem(handle);
}

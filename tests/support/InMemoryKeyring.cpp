#include "InMemoryKeyring.h"

QCoro::Task<int> InMemoryKeyring::add(QString service, QString account, QByteArray secret)
{
    if (m_failure != success)
        co_return m_failure;
    m_items.insert({service, account}, secret);
    co_return success;
}

QCoro::Task<KeyringBackend::Item> InMemoryKeyring::find(QString service, QString account)
{
    if (m_failure != success)
        co_return Item{m_failure, {}};
    const auto found = m_items.constFind({service, account});
    co_return found == m_items.constEnd() ? Item{itemNotFound, {}} : Item{success, *found};
}

QCoro::Task<int> InMemoryKeyring::remove(QString service, QString account)
{
    if (m_failure != success)
        co_return m_failure;
    co_return m_items.remove({service, account}) ? success : itemNotFound;
}

void InMemoryKeyring::putRaw(const QString &service, const QString &account, const QByteArray &secret)
{
    m_items.insert({service, account}, secret);
}

bool InMemoryKeyring::contains(const QString &service, const QString &account) const
{
    return m_items.contains({service, account});
}

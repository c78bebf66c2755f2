#include "RecordingKeyring.h"

#include <QCoroTimer>
#include <QTimer>

using namespace std::chrono_literals;

RecordingKeyring::RecordingKeyring(KeyringBackend &inner)
    : m_inner(inner)
{
}

QCoro::Task<int> RecordingKeyring::add(QString service, QString account, QByteArray secret)
{
    const int status = co_await m_inner.add(service, account, secret);
    if (status == success) {
        ++m_adds;
        m_live.append(account);
    }
    co_return status;
}

QCoro::Task<KeyringBackend::Item> RecordingKeyring::find(QString service, QString account)
{
    while (m_holdReads) {
        QTimer timer;
        timer.start(5ms);
        co_await timer;
    }
    Item item = co_await m_inner.find(service, account);
    ++m_reads;
    co_return item;
}

QCoro::Task<int> RecordingKeyring::remove(QString service, QString account)
{
    const int status = co_await m_inner.remove(service, account);
    if (status == success || status == itemNotFound)
        m_live.removeAll(account);
    co_return status;
}

QStringList RecordingKeyring::liveAccounts() const
{
    return m_live;
}

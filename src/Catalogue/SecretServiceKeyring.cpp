#include "SecretServiceKeyring.h"

#include <QCoroSignal>
#include <qt6keychain/keychain.h>

#include <memory>

namespace {

template<typename Job>
std::unique_ptr<Job> makeJob(const QString &service, const QString &account)
{
    auto job = std::make_unique<Job>(service);
    job->setAutoDelete(false);
    job->setInsecureFallback(false);
    job->setKey(account);
    return job;
}

// Some failures finish a job inside start(); the flag keeps such a job from being awaited forever.
QCoro::Task<> run(QKeychain::Job &job)
{
    bool finished = false;
    QObject::connect(&job, &QKeychain::Job::finished, &job, [&finished] { finished = true; });
    job.start();
    if (!finished)
        co_await qCoro(&job, &QKeychain::Job::finished);
}

int statusOf(const QKeychain::Job &job)
{
    switch (job.error()) {
    case QKeychain::NoError:
        return KeyringBackend::success;
    case QKeychain::EntryNotFound:
        return KeyringBackend::itemNotFound;
    default:
        return KeyringBackend::unavailable;
    }
}

} // namespace

QCoro::Task<int> SecretServiceKeyring::add(QString service, QString account, QByteArray secret)
{
    auto job = makeJob<QKeychain::WritePasswordJob>(service, account);
    job->setBinaryData(secret);
    co_await run(*job);
    co_return statusOf(*job);
}

QCoro::Task<KeyringBackend::Item> SecretServiceKeyring::find(QString service, QString account)
{
    auto job = makeJob<QKeychain::ReadPasswordJob>(service, account);
    co_await run(*job);
    const int status = statusOf(*job);
    co_return Item{status, status == success ? job->binaryData() : QByteArray()};
}

QCoro::Task<int> SecretServiceKeyring::remove(QString service, QString account)
{
    auto job = makeJob<QKeychain::DeletePasswordJob>(service, account);
    co_await run(*job);
    co_return statusOf(*job);
}

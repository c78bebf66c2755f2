#pragma once

#include <QByteArray>
#include <QCoroTask>
#include <QString>

// Generic secret items of the user's keyring, addressed by service and account. Every call
// reports a status: 0 for success, otherwise a negative number that users may read in a
// sentence (itemNotFound for an absent item, unavailable for every other keyring failure).
class KeyringBackend
{
public:
    static constexpr int success = 0;
    static constexpr int itemNotFound = -25300;
    static constexpr int unavailable = -25291;

    struct Item
    {
        int status = success;
        QByteArray secret;
    };

    virtual ~KeyringBackend() = default;

    [[nodiscard]] virtual QCoro::Task<int> add(QString service, QString account, QByteArray secret) = 0;
    [[nodiscard]] virtual QCoro::Task<Item> find(QString service, QString account) = 0;
    [[nodiscard]] virtual QCoro::Task<int> remove(QString service, QString account) = 0;
};

#pragma once

#include "KeyringBackend.h"

// The user's keyring over the freedesktop Secret Service. There is deliberately no fallback:
// without a keyring, a login is not stored at all rather than stored in clear.
class SecretServiceKeyring final : public KeyringBackend
{
public:
    [[nodiscard]] QCoro::Task<int> add(QString service, QString account, QByteArray secret) override;
    [[nodiscard]] QCoro::Task<Item> find(QString service, QString account) override;
    [[nodiscard]] QCoro::Task<int> remove(QString service, QString account) override;
};

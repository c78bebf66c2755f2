#pragma once

#include "Catalogue/KeyringBackend.h"

#include <QHash>
#include <QPair>

// A keyring kept in memory, for tests of code that stores logins. Tests can make the next
// calls fail with a status, as a locked or missing keyring would.
class InMemoryKeyring final : public KeyringBackend
{
public:
    [[nodiscard]] QCoro::Task<int> add(QString service, QString account, QByteArray secret) override;
    [[nodiscard]] QCoro::Task<Item> find(QString service, QString account) override;
    [[nodiscard]] QCoro::Task<int> remove(QString service, QString account) override;

    void failWith(int status) { m_failure = status; }
    void putRaw(const QString &service, const QString &account, const QByteArray &secret);
    [[nodiscard]] int itemCount() const { return int(m_items.size()); }
    [[nodiscard]] bool contains(const QString &service, const QString &account) const;

private:
    QHash<QPair<QString, QString>, QByteArray> m_items;
    int m_failure = success;
};

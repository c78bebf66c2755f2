#pragma once

#include "Catalogue/KeyringBackend.h"

#include <QStringList>

// Passes every call on to another keyring and records the accounts that were added and removed,
// so that a test sees what a flow left in a keyring it cannot list (the Secret Service). Reads
// can be held back, as a slow keyring would answer them.
class RecordingKeyring final : public KeyringBackend
{
public:
    explicit RecordingKeyring(KeyringBackend &inner);

    [[nodiscard]] QCoro::Task<int> add(QString service, QString account, QByteArray secret) override;
    [[nodiscard]] QCoro::Task<Item> find(QString service, QString account) override;
    [[nodiscard]] QCoro::Task<int> remove(QString service, QString account) override;

    // Accounts added successfully and not removed since.
    [[nodiscard]] QStringList liveAccounts() const;
    [[nodiscard]] int addCount() const { return m_adds; }
    // Reads answered so far.
    [[nodiscard]] int readCount() const { return m_reads; }
    // While held, reads wait (turning the event loop) until released.
    void holdReads(bool held) { m_holdReads = held; }

private:
    KeyringBackend &m_inner;
    QStringList m_live;
    int m_adds = 0;
    int m_reads = 0;
    bool m_holdReads = false;
};

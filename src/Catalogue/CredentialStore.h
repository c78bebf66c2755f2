#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QCoroTask>
#include <QHash>
#include <QObject>
#include <QString>

#include <optional>

class KeyringBackend;

// Keeps each playlist's provider login out of the database, as one keyring item per login.
// A login is never changed in place: every save makes a new item under a fresh reference,
// and the caller deletes the old item once nothing points at it. A QObject so that the calls,
// which resume when the keyring answers, can tell whether the store is still there.
class CredentialStore final : public QObject
{
    Q_OBJECT

public:
    static inline const QString service = QStringLiteral("com.zel.quillmere.macos.credentials");

    explicit CredentialStore(KeyringBackend &keyring);

    // Stores the login and returns its new reference (an upper-case UUID text).
    [[nodiscard]] QCoro::Task<QString> save(QUrl serverURL, QString username, QString password);
    // Throws CredentialStoreError: readFailed(status) for an absent or unreadable item,
    // invalidPayload for data that is not a login.
    [[nodiscard]] QCoro::Task<XtreamCredentials> read(QString reference);
    // An absent item counts as deleted.
    [[nodiscard]] QCoro::Task<void> remove(QString reference);

    // Logins read or saved during this run, for the few callers that must answer at once
    // (building a stream address while the user waits for a picture).
    [[nodiscard]] std::optional<XtreamCredentials> cached(const QString &reference) const;

private:
    KeyringBackend &m_keyring;
    QHash<QString, XtreamCredentials> m_cache;
};

#include "CredentialStore.h"

#include "CredentialStoreError.h"
#include "KeyringBackend.h"
#include "Support/Logging.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace {

QByteArray encodePayload(const XtreamCredentials &login)
{
    const QJsonObject payload{{u"serverURL"_s, login.serverURL.toString(QUrl::FullyEncoded)},
                              {u"username"_s, login.username},
                              {u"password"_s, login.password}};
    return QJsonDocument(payload).toJson(QJsonDocument::Compact);
}

std::optional<XtreamCredentials> decodePayload(const QByteArray &data)
{
    const QJsonDocument document = QJsonDocument::fromJson(data);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject payload = document.object();
    const QJsonValue server = payload.value(u"serverURL"_s);
    const QJsonValue username = payload.value(u"username"_s);
    const QJsonValue password = payload.value(u"password"_s);
    if (!server.isString() || !username.isString() || !password.isString())
        return std::nullopt;
    const QUrl serverURL(server.toString(), QUrl::StrictMode);
    if (server.toString().isEmpty() || !serverURL.isValid())
        return std::nullopt;
    return XtreamCredentials{serverURL, username.toString(), password.toString()};
}

} // namespace

CredentialStore::CredentialStore(KeyringBackend &keyring)
    : m_keyring(keyring)
{
}

QCoro::Task<QString> CredentialStore::save(QUrl serverURL, QString username, QString password)
{
    const QPointer<CredentialStore> self(this);
    const QString reference = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    const XtreamCredentials login{std::move(serverURL), std::move(username), std::move(password)};
    const int status = co_await m_keyring.add(service, reference, encodePayload(login));
    if (status != KeyringBackend::success)
        throw CredentialStoreError::saveFailed(status);
    if (self)
        self->m_cache.insert(reference, login);
    co_return reference;
}

QCoro::Task<XtreamCredentials> CredentialStore::read(QString reference)
{
    const QPointer<CredentialStore> self(this);
    const KeyringBackend::Item item = co_await m_keyring.find(service, reference);
    if (item.status != KeyringBackend::success) {
        qCWarning(lcCredentials, "Keyring read failed for credential reference %s; status=%d",
                  qUtf8Printable(Logging::redacted(reference)), item.status);
        throw CredentialStoreError::readFailed(item.status);
    }
    const std::optional<XtreamCredentials> login = decodePayload(item.secret);
    if (!login) {
        qCWarning(lcCredentials, "Keyring payload was invalid for credential reference %s",
                  qUtf8Printable(Logging::redacted(reference)));
        throw CredentialStoreError::invalidPayload();
    }
    if (self)
        self->m_cache.insert(reference, *login);
    co_return *login;
}

QCoro::Task<void> CredentialStore::remove(QString reference)
{
    const QPointer<CredentialStore> self(this);
    const int status = co_await m_keyring.remove(service, reference);
    if (status != KeyringBackend::success && status != KeyringBackend::itemNotFound)
        throw CredentialStoreError::saveFailed(status);
    if (self)
        self->m_cache.remove(reference);
}

std::optional<XtreamCredentials> CredentialStore::cached(const QString &reference) const
{
    const auto found = m_cache.constFind(reference);
    return found == m_cache.constEnd() ? std::nullopt : std::optional(*found);
}

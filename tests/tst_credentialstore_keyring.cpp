#include "Catalogue/CredentialStore.h"
#include "Catalogue/CredentialStoreError.h"
#include "Catalogue/SecretServiceKeyring.h"

#include <QCoroTask>
#include <QDBusConnection>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Qt::StringLiterals;

// Runs against a real Secret Service (GNOME Keyring on a private session bus, started by
// tests/support/with-keyring.sh), so that what users' keyrings hold is what is tested.
class CredentialStoreKeyringTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("needs a session bus with a Secret Service; run through tests/support/with-keyring.sh");
    }

    void loginsLiveInTheKeyringAsJsonItems()
    {
        SecretServiceKeyring keyring;
        CredentialStore store(keyring);
        const QUrl server(u"https://provider.example/portal/"_s);

        auto scenario = [&]() -> QCoro::Task<QString> {
            const QString first = co_await store.save(server, u"anna"_s, u"p+ss&w#rd=%"_s);
            const QString second = co_await store.save(server, u"anna"_s, u"p+ss&w#rd=%"_s);
            if (first == second)
                co_return u"two saves gave one reference"_s;

            const KeyringBackend::Item raw = co_await keyring.find(CredentialStore::service, first);
            const QJsonObject payload = QJsonDocument::fromJson(raw.secret).object();
            if (raw.status != 0 || payload.keys() != QStringList{u"password"_s, u"serverURL"_s, u"username"_s})
                co_return u"the item does not hold the JSON payload"_s;

            CredentialStore reader(keyring);
            const XtreamCredentials login = co_await reader.read(first);
            if (login.serverURL != server || login.username != u"anna"_s || login.password != u"p+ss&w#rd=%"_s)
                co_return u"the login did not round-trip"_s;

            co_await store.remove(first);
            co_await store.remove(first); // an absent item counts as deleted
            co_await store.remove(second);
            try {
                co_await reader.read(first);
                co_return u"a deleted item was still readable"_s;
            } catch (const CredentialStoreError &error) {
                co_return error.description();
            }
        };
        QTest::ignoreMessage(QtWarningMsg, "Keyring read failed for credential reference <private>; status=-25300");
        QCOMPARE(QCoro::waitFor(scenario()), u"Could not read playlist credentials (keyring status -25300)."_s);
    }
};

QTEST_GUILESS_MAIN(CredentialStoreKeyringTest)
#include "tst_credentialstore_keyring.moc"

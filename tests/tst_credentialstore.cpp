#include "Catalogue/CredentialStore.h"
#include "Catalogue/CredentialStoreError.h"
#include "support/InMemoryKeyring.h"
#include "support/PostedEvents.h"

#include <QCoroTask>
#include <QCoroTimer>
#include <QTest>

#include <algorithm>
#include <array>
#include <new>

using namespace Qt::StringLiterals;

namespace {

// Outcome of a store call: the value, or the sentence and status of the failure.
template<typename T>
struct Outcome
{
    std::optional<T> value;
    QString failure;
    int status = 0;
};

template<typename T>
Outcome<T> settle(QCoro::Task<T> task)
{
    auto wrapped = [](QCoro::Task<T> inner) -> QCoro::Task<Outcome<T>> {
        try {
            T value = co_await std::move(inner);
            co_return Outcome<T>{std::move(value), {}, 0};
        } catch (const CredentialStoreError &error) {
            co_return Outcome<T>{std::nullopt, error.description(), error.status()};
        }
    };
    return QCoro::waitFor(wrapped(std::move(task)));
}

Outcome<bool> settleVoid(QCoro::Task<void> task)
{
    auto asBool = [](QCoro::Task<void> inner) -> QCoro::Task<bool> {
        co_await std::move(inner);
        co_return true;
    };
    return settle(asBool(std::move(task)));
}

const QUrl server(u"http://provider.example:8080/"_s);

// A keyring that answers on a later turn of the event loop, as a D-Bus reply does.
class SlowKeyring final : public KeyringBackend
{
public:
    QCoro::Task<int> add(QString service, QString account, QByteArray secret) override
    {
        co_await later();
        co_return co_await m_items.add(service, account, secret);
    }
    QCoro::Task<Item> find(QString service, QString account) override
    {
        co_await later();
        co_return co_await m_items.find(service, account);
    }
    QCoro::Task<int> remove(QString service, QString account) override
    {
        co_await later();
        co_return co_await m_items.remove(service, account);
    }

    int answered = 0;

private:
    QCoro::Task<void> later()
    {
        co_await QCoro::sleepFor(std::chrono::milliseconds(0));
        ++answered;
    }

    InMemoryKeyring m_items;
};

} // namespace

class CredentialStoreTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void savedLoginsReadBackUnderFreshReferences()
    {
        InMemoryKeyring keyring;
        CredentialStore store(keyring);
        const auto first = settle(store.save(server, u"anna"_s, u"p+ss&w#rd"_s));
        const auto second = settle(store.save(server, u"anna"_s, u"p+ss&w#rd"_s));
        QVERIFY(first.value && second.value);
        QVERIFY(*first.value != *second.value);
        QCOMPARE(*first.value, first.value->toUpper());
        QCOMPARE(QUuid::fromString(*first.value).isNull(), false);
        QCOMPARE(keyring.itemCount(), 2);

        CredentialStore freshStore(keyring); // nothing cached: the keyring is read
        const auto login = settle(freshStore.read(*first.value));
        QVERIFY(login.value);
        QCOMPARE(login.value->serverURL, server);
        QCOMPARE(login.value->username, u"anna"_s);
        QCOMPARE(login.value->password, u"p+ss&w#rd"_s);
        QCOMPARE(freshStore.cached(*first.value), login.value);
        QVERIFY(!freshStore.cached(*second.value));
    }

    void deletingIsIdempotentAndReadingADeletedItemFails()
    {
        InMemoryKeyring keyring;
        CredentialStore store(keyring);
        const QString reference = *settle(store.save(server, u"u"_s, u"p"_s)).value;
        QVERIFY(settleVoid(store.remove(reference)).value);
        QVERIFY(!store.cached(reference));
        QVERIFY(settleVoid(store.remove(reference)).value);
        QVERIFY(settleVoid(store.remove(u"NEVER-SAVED"_s)).value);

        QTest::ignoreMessage(QtWarningMsg, "Keyring read failed for credential reference <private>; status=-25300");
        const auto read = settle(store.read(reference));
        QVERIFY(!read.value);
        QCOMPARE(read.status, -25300);
        QCOMPARE(read.failure, u"Could not read playlist credentials (keyring status -25300)."_s);
    }

    void unusableItemsReadAsInvalid_data()
    {
        QTest::addColumn<QByteArray>("secret");
        QTest::newRow("not JSON") << QByteArray("serverURL=http://x");
        QTest::newRow("an array") << QByteArray("[\"http://x\",\"u\",\"p\"]");
        QTest::newRow("missing password") << QByteArray("{\"serverURL\":\"http://x\",\"username\":\"u\"}");
        QTest::newRow("number as username") << QByteArray("{\"serverURL\":\"http://x\",\"username\":7,\"password\":\"p\"}");
        QTest::newRow("unparseable address") << QByteArray("{\"serverURL\":\"http://exa mple.com\",\"username\":\"u\",\"password\":\"p\"}");
        QTest::newRow("empty address") << QByteArray("{\"serverURL\":\"\",\"username\":\"u\",\"password\":\"p\"}");
    }

    void unusableItemsReadAsInvalid()
    {
        QFETCH(QByteArray, secret);
        InMemoryKeyring keyring;
        keyring.putRaw(CredentialStore::service, u"REF"_s, secret);
        CredentialStore store(keyring);
        QTest::ignoreMessage(QtWarningMsg, "Keyring payload was invalid for credential reference <private>");
        const auto read = settle(store.read(u"REF"_s));
        QVERIFY(!read.value);
        QCOMPARE(read.failure, u"The saved playlist credentials are invalid."_s);
    }

    // The keyring answers after its caller may be gone: the answer must not write into a store
    // that no longer exists. The store lives in storage that the test clears once it is
    // destroyed, so that any later write shows.
    void answersArrivingAfterTheStoreIsGoneTouchNothing()
    {
        SlowKeyring keyring;
        const QString reference = *settle(CredentialStore(keyring).save(server, u"u"_s, u"p"_s)).value;
        alignas(CredentialStore) std::array<std::byte, sizeof(CredentialStore)> storage{};
        auto *store = new (storage.data()) CredentialStore(keyring);
        (void)store->save(server, u"u"_s, u"p"_s);
        (void)store->read(reference);
        (void)store->remove(reference);
        store->~CredentialStore();
        std::fill(storage.begin(), storage.end(), std::byte{0});
        QTRY_COMPARE(keyring.answered, 4);
        handlePostedEvents();
        QVERIFY(std::all_of(storage.begin(), storage.end(), [](std::byte value) { return value == std::byte{0}; }));
    }

    void keyringFailuresCarryTheirStatus()
    {
        InMemoryKeyring keyring;
        CredentialStore store(keyring);
        keyring.failWith(KeyringBackend::unavailable);
        const auto saved = settle(store.save(server, u"u"_s, u"p"_s));
        QVERIFY(!saved.value);
        QCOMPARE(saved.failure, u"Could not save playlist credentials (keyring status -25291)."_s);
        const auto removed = settleVoid(store.remove(u"REF"_s));
        QCOMPARE(removed.failure, u"Could not save playlist credentials (keyring status -25291)."_s);
        QCOMPARE(keyring.itemCount(), 0);
    }
};

QTEST_GUILESS_MAIN(CredentialStoreTest)
#include "tst_credentialstore.moc"

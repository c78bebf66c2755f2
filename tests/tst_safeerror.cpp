#include "Catalogue/CatalogueDatabaseError.h"
#include "Catalogue/CredentialStoreError.h"
#include "Provider/XtreamAPIError.h"
#include "Store/CatalogueStore.h"
#include "Support/CancellationError.h"
#include "Support/TransportError.h"

#include <QTest>

#include <stdexcept>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::exception_ptr)

class SafeErrorTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyErrorHasItsSentence_data()
    {
        QTest::addColumn<std::exception_ptr>("error");
        QTest::addColumn<QString>("sentence");
        using Kind = TransportError::Kind;
        const auto transport = [](Kind kind, int code) { return std::make_exception_ptr(TransportError(kind, code)); };
        QTest::newRow("cancelled request") << transport(Kind::Cancelled, 42) << u"The request was cancelled."_s;
        QTest::newRow("timed out") << transport(Kind::TimedOut, 28)
                                   << u"The provider did not respond in time. Try again or test the connection."_s;
        const QString offline = u"The network connection is unavailable. Your saved catalogue is still available."_s;
        QTest::newRow("offline") << transport(Kind::NotConnectedToInternet, 7) << offline;
        QTest::newRow("connection lost") << transport(Kind::NetworkConnectionLost, 56) << offline;
        const QString unreachable = u"The provider could not be reached. Check the server address and connection."_s;
        QTest::newRow("unknown host") << transport(Kind::CannotFindHost, 6) << unreachable;
        QTest::newRow("refused") << transport(Kind::CannotConnectToHost, 7) << unreachable;
        QTest::newRow("name lookup") << transport(Kind::DnsLookupFailed, 6) << unreachable;
        QTest::newRow("other transport") << transport(Kind::Other, 35)
                                         << u"The provider request failed (network error 35)."_s;
        QTest::newRow("provider status") << std::make_exception_ptr(XtreamAPIError::httpStatus(401))
                                         << u"The Xtream server returned HTTP status 401."_s;
        QTest::newRow("provider message")
            << std::make_exception_ptr(XtreamAPIError::providerMessage(u"The provider did not accept these credentials."_s))
            << u"The provider did not accept these credentials."_s;
        QTest::newRow("database") << std::make_exception_ptr(CatalogueDatabaseError(u"The catalogue could not be opened."_s))
                                  << u"The catalogue could not be opened."_s;
        QTest::newRow("keyring") << std::make_exception_ptr(CredentialStoreError::readFailed(-25300))
                                 << u"Could not read playlist credentials (keyring status -25300)."_s;
        const QString fallback = u"The refresh could not be completed. Your previous data has been kept."_s;
        QTest::newRow("task cancelled") << std::make_exception_ptr(CancellationError()) << fallback;
        QTest::newRow("anything else") << std::make_exception_ptr(std::runtime_error("bad json")) << fallback;
    }

    void everyErrorHasItsSentence()
    {
        QFETCH(std::exception_ptr, error);
        QFETCH(QString, sentence);
        QCOMPARE(CatalogueStore::safeError(error), sentence);
    }
};

QTEST_GUILESS_MAIN(SafeErrorTest)
#include "tst_safeerror.moc"

// The one mapping from any failure to the sentence a user reads.
#include "CatalogueStore.h"

#include "Catalogue/CatalogueDatabaseError.h"
#include "Catalogue/CredentialStoreError.h"
#include "Provider/XtreamAPIError.h"
#include "Support/TransportError.h"

using namespace Qt::StringLiterals;

namespace {

QString transportSentence(const TransportError &error)
{
    switch (error.kind()) {
    case TransportError::Kind::Cancelled:
        return u"The request was cancelled."_s;
    case TransportError::Kind::TimedOut:
        return u"The provider did not respond in time. Try again or test the connection."_s;
    case TransportError::Kind::NotConnectedToInternet:
    case TransportError::Kind::NetworkConnectionLost:
        return u"The network connection is unavailable. Your saved catalogue is still available."_s;
    case TransportError::Kind::CannotFindHost:
    case TransportError::Kind::CannotConnectToHost:
    case TransportError::Kind::DnsLookupFailed:
        return u"The provider could not be reached. Check the server address and connection."_s;
    case TransportError::Kind::Other:
        break;
    }
    return u"The provider request failed (network error "_s + QString::number(error.code()) + u")."_s;
}

} // namespace

QString CatalogueStore::safeError(const std::exception_ptr &error)
{
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const TransportError &transport) {
        return transportSentence(transport);
    } catch (const CatalogueDatabaseError &database) {
        return database.description();
    } catch (const CredentialStoreError &keyring) {
        return keyring.description();
    } catch (const XtreamAPIError &provider) {
        return provider.description();
    } catch (...) {
    }
    return u"The refresh could not be completed. Your previous data has been kept."_s;
}

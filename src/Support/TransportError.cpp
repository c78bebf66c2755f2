#include "TransportError.h"

namespace {

const char *kindName(TransportError::Kind kind)
{
    switch (kind) {
    case TransportError::Kind::Cancelled:
        return "cancelled";
    case TransportError::Kind::TimedOut:
        return "timed out";
    case TransportError::Kind::NotConnectedToInternet:
        return "not connected";
    case TransportError::Kind::NetworkConnectionLost:
        return "connection lost";
    case TransportError::Kind::CannotFindHost:
        return "host not found";
    case TransportError::Kind::CannotConnectToHost:
        return "connection refused";
    case TransportError::Kind::DnsLookupFailed:
        return "name lookup failed";
    case TransportError::Kind::Other:
        break;
    }
    return "transfer failed";
}

} // namespace

TransportError::TransportError(Kind kind, int code)
    : m_kind(kind)
    , m_code(code)
{
    m_text = QByteArrayLiteral("HTTP transport error: ");
    m_text.append(kindName(kind)).append(" (code ").append(QByteArray::number(code)).append(')');
}

#include "XtreamAPIError.h"

using namespace Qt::StringLiterals;

MacXtreamAPIError::MacXtreamAPIError(Kind kind, int status, const QString &description)
    : UserFacingError(description)
    , m_kind(kind)
    , m_status(status)
{
}

MacXtreamAPIError MacXtreamAPIError::httpStatus(int status)
{
    return {Kind::HttpStatus, status, u"The Xtream server returned HTTP status "_s + QString::number(status) + u'.'};
}

MacXtreamAPIError MacXtreamAPIError::providerMessage(const QString &message)
{
    return {Kind::ProviderMessage, 0, message};
}

MacXtreamAPIError MacXtreamAPIError::invalidURL()
{
    return {Kind::InvalidURL, 0, u"The Xtream server URL is invalid."_s};
}

MacXtreamAPIError MacXtreamAPIError::invalidResponse()
{
    return {Kind::InvalidResponse, 0, u"The Xtream server returned an unreadable response."_s};
}

#include "XtreamAPIError.h"

using namespace Qt::StringLiterals;

XtreamAPIError::XtreamAPIError(Kind kind, int status, const QString &description)
    : UserFacingError(description)
    , m_kind(kind)
    , m_status(status)
{
}

XtreamAPIError XtreamAPIError::httpStatus(int status)
{
    return {Kind::HttpStatus, status, u"The Xtream server returned HTTP status "_s + QString::number(status) + u'.'};
}

XtreamAPIError XtreamAPIError::providerMessage(const QString &message)
{
    return {Kind::ProviderMessage, 0, message};
}

XtreamAPIError XtreamAPIError::invalidURL()
{
    return {Kind::InvalidURL, 0, u"The Xtream server URL is invalid."_s};
}

XtreamAPIError XtreamAPIError::invalidResponse()
{
    return {Kind::InvalidResponse, 0, u"The Xtream server returned an unreadable response."_s};
}

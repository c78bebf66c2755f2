#include "UpdateServiceError.h"

using namespace Qt::StringLiterals;

UpdateServiceError::UpdateServiceError(int status, QString code, QString message)
    : m_status(status)
    , m_code(std::move(code))
    , m_message(std::move(message))
    , m_utf8(m_message.toUtf8())
{
}

UpdateServiceError UpdateServiceError::unreachable()
{
    return {0, u"network"_s, u"Can't reach the Quillmere service. Check your connection and try again."_s};
}

UpdateServiceError UpdateServiceError::unreadable(int status)
{
    return {status, u"decoding"_s, u"The update service's reply could not be read."_s};
}

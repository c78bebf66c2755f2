#include "CredentialStoreError.h"

using namespace Qt::StringLiterals;

MacCredentialStoreError::MacCredentialStoreError(Kind kind, int status, const QString &description)
    : UserFacingError(description)
    , m_kind(kind)
    , m_status(status)
{
}

MacCredentialStoreError MacCredentialStoreError::saveFailed(int status)
{
    return {Kind::SaveFailed, status,
            u"Could not save playlist credentials (keyring status "_s + QString::number(status) + u")."_s};
}

MacCredentialStoreError MacCredentialStoreError::readFailed(int status)
{
    return {Kind::ReadFailed, status,
            u"Could not read playlist credentials (keyring status "_s + QString::number(status) + u")."_s};
}

MacCredentialStoreError MacCredentialStoreError::invalidPayload()
{
    return {Kind::InvalidPayload, 0, u"The saved playlist credentials are invalid."_s};
}

#include "CredentialStoreError.h"

using namespace Qt::StringLiterals;

CredentialStoreError::CredentialStoreError(Kind kind, int status, const QString &description)
    : UserFacingError(description)
    , m_kind(kind)
    , m_status(status)
{
}

CredentialStoreError CredentialStoreError::saveFailed(int status)
{
    return {Kind::SaveFailed, status,
            u"Could not save playlist credentials (keyring status "_s + QString::number(status) + u")."_s};
}

CredentialStoreError CredentialStoreError::readFailed(int status)
{
    return {Kind::ReadFailed, status,
            u"Could not read playlist credentials (keyring status "_s + QString::number(status) + u")."_s};
}

CredentialStoreError CredentialStoreError::invalidPayload()
{
    return {Kind::InvalidPayload, 0, u"The saved playlist credentials are invalid."_s};
}

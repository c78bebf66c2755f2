#pragma once

#include "Support/UserFacingError.h"

// A keyring failure: saving or reading a login failed with the keyring's status, or the stored
// item does not hold a usable login.
class CredentialStoreError final : public UserFacingError
{
public:
    enum class Kind { SaveFailed, ReadFailed, InvalidPayload };

    [[nodiscard]] static CredentialStoreError saveFailed(int status);
    [[nodiscard]] static CredentialStoreError readFailed(int status);
    [[nodiscard]] static CredentialStoreError invalidPayload();

    [[nodiscard]] Kind kind() const noexcept { return m_kind; }
    [[nodiscard]] int status() const noexcept { return m_status; }

private:
    CredentialStoreError(Kind kind, int status, const QString &description);

    Kind m_kind;
    int m_status;
};

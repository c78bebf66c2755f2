#pragma once

#include "Support/UserFacingError.h"

// A keyring failure: saving or reading a login failed with the keyring's status, or the stored
// item does not hold a usable login.
class MacCredentialStoreError final : public UserFacingError
{
public:
    enum class Kind { SaveFailed, ReadFailed, InvalidPayload };

    [[nodiscard]] static MacCredentialStoreError saveFailed(int status);
    [[nodiscard]] static MacCredentialStoreError readFailed(int status);
    [[nodiscard]] static MacCredentialStoreError invalidPayload();

    [[nodiscard]] Kind kind() const noexcept { return m_kind; }
    [[nodiscard]] int status() const noexcept { return m_status; }

private:
    MacCredentialStoreError(Kind kind, int status, const QString &description);

    Kind m_kind;
    int m_status;
};

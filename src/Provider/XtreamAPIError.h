#pragma once

#include "Support/UserFacingError.h"

// A provider failure: an HTTP status, a message of the provider (or of the login check), an
// unusable server address, or a reply that cannot be read.
class XtreamAPIError final : public UserFacingError
{
public:
    enum class Kind { HttpStatus, ProviderMessage, InvalidURL, InvalidResponse };

    [[nodiscard]] static XtreamAPIError httpStatus(int status);
    [[nodiscard]] static XtreamAPIError providerMessage(const QString &message);
    [[nodiscard]] static XtreamAPIError invalidURL();
    [[nodiscard]] static XtreamAPIError invalidResponse();

    [[nodiscard]] Kind kind() const noexcept { return m_kind; }
    // The HTTP status for HttpStatus; 0 otherwise.
    [[nodiscard]] int status() const noexcept { return m_status; }

private:
    XtreamAPIError(Kind kind, int status, const QString &description);

    Kind m_kind;
    int m_status;
};

#pragma once

#include <QByteArray>

#include <exception>

// A failure of the HTTP transport itself (no usable reply at all), as opposed to a reply the
// program did not like. The class is what the store turns into a sentence; the code is
// libcurl's error number, shown to the user only for the "other" class.
class TransportError final : public std::exception
{
public:
    enum class Kind {
        Cancelled,
        TimedOut,
        NotConnectedToInternet,
        NetworkConnectionLost,
        CannotFindHost,
        CannotConnectToHost,
        DnsLookupFailed,
        Other,
    };

    explicit TransportError(Kind kind, int code);

    [[nodiscard]] Kind kind() const noexcept { return m_kind; }
    [[nodiscard]] int code() const noexcept { return m_code; }
    // A technical text for logs; it never holds an address.
    [[nodiscard]] const char *what() const noexcept override { return m_text.constData(); }

private:
    Kind m_kind;
    int m_code;
    QByteArray m_text;
};

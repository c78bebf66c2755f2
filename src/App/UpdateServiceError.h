#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// Why an update check failed. Checks are optional work: the updater drops these, and they never
// reach the user; the status and code serve tests and logs.
class UpdateServiceError final : public std::exception
{
public:
    // The HTTP status, 0 when no HTTP reply arrived.
    UpdateServiceError(int status, QString code, QString message);

    // The service could not be reached at all.
    [[nodiscard]] static UpdateServiceError unreachable();
    // The reply (of this status) could not be read.
    [[nodiscard]] static UpdateServiceError unreadable(int status);

    [[nodiscard]] int status() const noexcept { return m_status; }
    [[nodiscard]] const QString &code() const noexcept { return m_code; }
    [[nodiscard]] const QString &message() const noexcept { return m_message; }
    [[nodiscard]] const char *what() const noexcept override { return m_utf8.constData(); }

private:
    int m_status;
    QString m_code;
    QString m_message;
    QByteArray m_utf8;
};

#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// Base of the program's typed errors: each carries the complete sentence a user may read.
class UserFacingError : public std::exception
{
public:
    explicit UserFacingError(QString description);

    [[nodiscard]] const QString &description() const noexcept { return m_description; }
    [[nodiscard]] const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_description;
    QByteArray m_utf8;
};

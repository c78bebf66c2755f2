#pragma once

#include "Provider/JSONParseError.h"
#include "Support/CancellationError.h"
#include "Support/TransportError.h"
#include "Support/UserFacingError.h"

#include <QString>

#include <functional>

// How an operation ended, as a test compares it: empty on success, else the error's sentence,
// or the name of its type (with the transport's failure class) for errors that carry none.
inline QString outcome(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const UserFacingError &error) {
        return error.description();
    } catch (const JSONParseError &) {
        return QStringLiteral("JSONParseError");
    } catch (const TransportError &error) {
        return QStringLiteral("TransportError %1").arg(int(error.kind()));
    } catch (const CancellationError &) {
        return QStringLiteral("CancellationError");
    }
    return {};
}

// Outcomes of provider replies that several tests expect.
inline const QString parseError = QStringLiteral("JSONParseError");
inline const QString unreadableResponse = QStringLiteral("The Xtream server returned an unreadable response.");
inline const QString rejectedLogin = QStringLiteral("The provider did not accept these credentials.");
inline const QString inactiveAccount =
    QStringLiteral("This provider account is not active. Check the subscription with your provider.");
inline const QString accountError =
    QStringLiteral("The provider returned an account error. Check your subscription or connection details.");

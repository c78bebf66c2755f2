#pragma once

#include "Services/JSONParseError.h"
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

#pragma once

#include "Services/JSONParseError.h"
#include "Services/MacXtreamAPIError.h"

#include <QString>

// How a call on provider data ended, as a test compares it: empty when it succeeded, the
// provider error's sentence, or "parse error" for text that is not JSON.
template<typename Call>
QString providerFailure(Call call)
{
    try {
        call();
    } catch (const MacXtreamAPIError &error) {
        return error.description();
    } catch (const JSONParseError &) {
        return QStringLiteral("parse error");
    }
    return QString();
}

inline const QString unreadableResponse = QStringLiteral("The Xtream server returned an unreadable response.");
inline const QString parseError = QStringLiteral("parse error");

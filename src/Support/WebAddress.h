#pragma once

#include <QUrl>

// Whether an address is one the program may fetch or hand to the browser: a valid http or https
// address with a host. Addresses that come from outside (settings, the environment, a service's
// reply) are checked with this before use, so that none can open a local file or another program.
[[nodiscard]] inline bool isWebAddress(const QUrl &url)
{
    using namespace Qt::StringLiterals;
    return url.isValid() && (url.scheme() == u"http"_s || url.scheme() == u"https"_s) && !url.host().isEmpty();
}

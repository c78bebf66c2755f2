#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// The video site's addresses that the launcher page opens in the browser.
namespace VideoSiteAddresses {

// The site's root over https, without a trailing slash.
[[nodiscard]] QString base();

// The site's search for `query` trimmed of white space and line breaks; none for an empty query.
// The query travels percent-encoded as one value, so no character of it (&, +, #, =) can end
// the value, add a parameter or start a fragment.
[[nodiscard]] std::optional<QUrl> search(const QString &query);

// Whether the Search button is enabled: the query has more than spaces and tabs.
[[nodiscard]] bool canSearch(const QString &query);

// A shortcut's address from its text; none when the text is no web address.
[[nodiscard]] std::optional<QUrl> shortcut(const QString &address);

} // namespace VideoSiteAddresses

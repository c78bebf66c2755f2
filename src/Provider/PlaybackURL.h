#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QString>
#include <QUrl>

#include <optional>

// The address a live channel, a film or an episode streams from, and the check of a server
// address a user types. The address carries the login, as the providers' protocol wants it:
// it is never logged.
namespace PlaybackURL {

// Server/kind/username/password/id.extension, each part escaped on its own so that no login
// character can split the path. None when the server address is not an http or https address
// with a host.
[[nodiscard]] std::optional<QUrl> make(const XtreamCredentials &credentials, const QString &providerID,
                                       CatalogueKind kind, const std::optional<QString> &containerExtension,
                                       const QString &liveFormat);

// An http or https address with a host and without a login in it.
[[nodiscard]] bool isValidServer(const QString &text);

} // namespace PlaybackURL

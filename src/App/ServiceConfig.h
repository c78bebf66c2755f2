#pragma once

#include <QString>
#include <QUrl>

// Where the update service is and which version is running.
namespace ServiceConfig {

// QUILLMERE_API (with slashes and blanks trimmed at both ends) when it is an http or https
// address, else the built-in service.
[[nodiscard]] QUrl baseURL();
// The application's version, "1.0.0" when it has none.
[[nodiscard]] QString appVersion();

} // namespace ServiceConfig

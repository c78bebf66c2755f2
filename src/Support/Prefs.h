#pragma once

#include <QString>

// Typed readers of user settings: a missing key and a key holding a value of another type both
// give the default, so that no reader ever misreads a damaged or foreign setting.
namespace Prefs {

[[nodiscard]] bool boolean(const QString &key, bool defaultValue);
[[nodiscard]] int integer(const QString &key, int defaultValue);
[[nodiscard]] QString text(const QString &key, const QString &defaultValue);

} // namespace Prefs

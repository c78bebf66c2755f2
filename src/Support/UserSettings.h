#pragma once

#include <QDateTime>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

// The user-settings store. Values keep their types (Booleans, integers, reals, texts, dates and
// data) because the file is JSON rather than INI, where every value would read back as text.
namespace UserSettings {

// Registers the JSON format once and opens the per-user settings file.
[[nodiscard]] std::unique_ptr<QSettings> open();

// An invalid QVariant when the key holds nothing.
[[nodiscard]] QVariant value(const QString &key);
// The text stored under the key; none when the key is missing or holds another type.
[[nodiscard]] std::optional<QString> text(const QString &key);
// The number (integer or real) stored under the key; none when missing or of another type.
[[nodiscard]] std::optional<double> number(const QString &key);
// The date stored under the key; none when missing or of another type.
[[nodiscard]] std::optional<QDateTime> date(const QString &key);
// Both announce a change through SettingsChanges; writing the value already stored announces
// nothing.
void setValue(const QString &key, const QVariant &value);
void remove(const QString &key);

} // namespace UserSettings

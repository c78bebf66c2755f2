#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// Every user setting that the settings page shows: its key, the type of its value and its default
// (from PrefKeys) and, for a menu, the stored values with their labels in menu order. A key that
// was never written, or that holds a value of another type, reads as its default.
namespace SettingKeys {

enum class Type { Boolean, Integer, Text };

struct Option
{
    QVariant value;
    QString label;
};

struct Setting
{
    QString key;
    Type type = Type::Boolean;
    QVariant defaultValue;
    QList<Option> options; // empty for a switch
};

// In the order the settings page shows them.
[[nodiscard]] const QList<Setting> &all();
// Null for a key outside the table.
[[nodiscard]] const Setting *find(const QString &key);

// The stored value as the setting's type, else its default; an invalid value for an unknown key.
[[nodiscard]] QVariant read(const QString &key);
// Stores `value` converted to the setting's type. False, storing nothing, for an unknown key or
// a value that does not convert (a text for a switch, a fraction for a number).
bool write(const QString &key, const QVariant &value);

} // namespace SettingKeys

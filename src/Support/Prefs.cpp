#include "Prefs.h"

#include "Support/UserSettings.h"

#include <QVariant>

#include <cmath>
#include <limits>

namespace Prefs {

bool boolean(const QString &key, bool defaultValue)
{
    const QVariant stored = UserSettings::value(key);
    return stored.typeId() == QMetaType::Bool ? stored.toBool() : defaultValue;
}

int integer(const QString &key, int defaultValue)
{
    const QVariant stored = UserSettings::value(key);
    switch (stored.typeId()) {
    case QMetaType::Int:
        return stored.toInt();
    case QMetaType::LongLong: {
        const qint64 value = stored.toLongLong();
        const bool fits = value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
        return fits ? int(value) : defaultValue;
    }
    default:
        return defaultValue;
    }
}

QString text(const QString &key, const QString &defaultValue)
{
    return UserSettings::text(key).value_or(defaultValue);
}

} // namespace Prefs

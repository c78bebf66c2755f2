#include "Prefs.h"

#include "Support/UserSettings.h"

#include <QVariant>

#include <limits>

namespace Prefs {

bool read(const Pref<bool> &pref)
{
    const QVariant stored = UserSettings::value(pref.key.toString());
    return stored.typeId() == QMetaType::Bool ? stored.toBool() : pref.defaultValue;
}

int read(const Pref<int> &pref)
{
    const QVariant stored = UserSettings::value(pref.key.toString());
    switch (stored.typeId()) {
    case QMetaType::Int:
        return stored.toInt();
    case QMetaType::LongLong: {
        const qint64 value = stored.toLongLong();
        const bool fits = value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
        return fits ? int(value) : pref.defaultValue;
    }
    default:
        return pref.defaultValue;
    }
}

QString read(const Pref<QStringView> &pref)
{
    return UserSettings::text(pref.key.toString()).value_or(pref.defaultValue.toString());
}

} // namespace Prefs

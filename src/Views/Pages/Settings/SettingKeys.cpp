#include "SettingKeys.h"

#include "Support/PrefKeys.h"
#include "Support/UserSettings.h"

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace SettingKeys {

namespace {

Setting toggle(const Pref<bool> &pref)
{
    return {pref.key.toString(), Type::Boolean, pref.defaultValue, {}};
}

Setting integerMenu(const Pref<int> &pref, const QList<std::pair<int, QString>> &options)
{
    Setting setting{pref.key.toString(), Type::Integer, pref.defaultValue, {}};
    for (const auto &[value, label] : options)
        setting.options.append({value, label});
    return setting;
}

Setting textMenu(const Pref<QStringView> &pref, const QList<std::pair<QString, QString>> &options)
{
    Setting setting{pref.key.toString(), Type::Text, pref.defaultValue.toString(), {}};
    for (const auto &[value, label] : options)
        setting.options.append({value, label});
    return setting;
}

QList<Setting> makeTable()
{
    using namespace PrefKeys;
    return {
        textMenu(startPage,
                 {{u"home"_s, u"Home"_s},
                  {u"live"_s, u"Live TV"_s},
                  {u"guide"_s, u"TV Guide"_s},
                  {u"movies"_s, u"Movies"_s},
                  {u"series"_s, u"Series"_s},
                  {u"last"_s, u"Where I left off"_s}}),
        textMenu(posterSize, {{u"small"_s, u"Small"_s}, {u"medium"_s, u"Medium"_s}, {u"large"_s, u"Large"_s}}),
        toggle(use24HourClock),
        toggle(reduceMotion),
        toggle(resumePlayback),
        toggle(autoPlayNextEpisode),
        integerMenu(seekStepSeconds,
                    {{5, u"5 seconds"_s}, {10, u"10 seconds"_s}, {15, u"15 seconds"_s}, {30, u"30 seconds"_s},
                     {60, u"1 minute"_s}}),
        integerMenu(osdTimeoutSeconds,
                    {{2, u"2 seconds"_s}, {4, u"4 seconds"_s}, {6, u"6 seconds"_s}, {10, u"10 seconds"_s}}),
        integerMenu(networkCachingMs,
                    {{800, u"Low (0.8 s)"_s},
                     {1500, u"Normal (1.5 s)"_s},
                     {3000, u"High (3 s)"_s},
                     {6000, u"Very high (6 s)"_s}}),
        textMenu(liveFormat, {{u"m3u8"_s, u"HLS (recommended)"_s}, {u"ts"_s, u"MPEG-TS"_s}}),
        toggle(showChannelNumbers),
        toggle(rememberLastChannel),
        toggle(groupCategoriesByLanguage),
        toggle(autoRefreshPlaylist),
        integerMenu(catalogueRefreshHours,
                    {{6, u"Every 6 hours"_s},
                     {12, u"Every 12 hours"_s},
                     {24, u"Daily"_s},
                     {72, u"Every 3 days"_s},
                     {168, u"Weekly"_s}}),
        toggle(autoRefreshEpg),
        integerMenu(guideRefreshHours,
                    {{1, u"Every hour"_s}, {4, u"Every 4 hours"_s}, {12, u"Every 12 hours"_s}, {24, u"Daily"_s}}),
        toggle(keepWatchHistory),
    };
}

// The value as the setting stores it, or none when it cannot be one.
std::optional<QVariant> converted(const Setting &setting, const QVariant &value)
{
    switch (setting.type) {
    case Type::Boolean:
        if (value.typeId() == QMetaType::Bool)
            return value;
        return std::nullopt;
    case Type::Integer: {
        // QML hands whole numbers over as doubles.
        bool ok = false;
        const double number = value.toDouble(&ok);
        const bool numeric = value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong
            || value.typeId() == QMetaType::Double;
        if (!numeric || !ok || number != double(int(number)))
            return std::nullopt;
        return QVariant(int(number));
    }
    case Type::Text:
        if (value.typeId() == QMetaType::QString)
            return value;
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

const QList<Setting> &all()
{
    static const QList<Setting> table = makeTable();
    return table;
}

const Setting *find(const QString &key)
{
    const QList<Setting> &table = all();
    const auto found = std::find_if(table.begin(), table.end(), [&key](const Setting &setting) { return setting.key == key; });
    return found == table.end() ? nullptr : &*found;
}

QVariant read(const QString &key)
{
    const Setting *setting = find(key);
    if (!setting)
        return {};
    const QString &stored = setting->key;
    switch (setting->type) {
    case Type::Boolean:
        return Prefs::read(Pref<bool>{stored, setting->defaultValue.toBool()});
    case Type::Integer:
        return Prefs::read(Pref<int>{stored, setting->defaultValue.toInt()});
    case Type::Text: {
        const QString defaultValue = setting->defaultValue.toString();
        return Prefs::read(Pref<QStringView>{stored, defaultValue});
    }
    }
    return {};
}

bool write(const QString &key, const QVariant &value)
{
    const Setting *setting = find(key);
    if (!setting)
        return false;
    const std::optional<QVariant> stored = converted(*setting, value);
    if (!stored)
        return false;
    UserSettings::setValue(key, *stored);
    return true;
}

} // namespace SettingKeys

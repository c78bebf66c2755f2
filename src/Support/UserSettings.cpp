#include "UserSettings.h"

#include "SettingsChanges.h"

#include <QDateTime>
#include <QIODevice>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

using namespace Qt::StringLiterals;

namespace {

// JSON has no date or byte types: those are written as one-member objects with a marker key.
constexpr auto dateMarker = "$date"_L1;
constexpr auto dataMarker = "$data"_L1;

QJsonValue toJson(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return QJsonObject{{dateMarker, value.toDateTime().toMSecsSinceEpoch()}};
    case QMetaType::QByteArray:
        return QJsonObject{{dataMarker, QString::fromLatin1(value.toByteArray().toBase64())}};
    default:
        return QJsonValue::fromVariant(value);
    }
}

QVariant fromJson(const QJsonValue &json)
{
    if (json.isObject()) {
        const QJsonObject object = json.toObject();
        if (object.size() == 1 && object.contains(dateMarker))
            return QDateTime::fromMSecsSinceEpoch(object.value(dateMarker).toInteger(), Qt::UTC);
        if (object.size() == 1 && object.contains(dataMarker))
            return QByteArray::fromBase64(object.value(dataMarker).toString().toLatin1());
    }
    if (json.isDouble()) {
        // Whole numbers read back as integers so that integer readers accept them.
        const double number = json.toDouble();
        const qint64 whole = json.toInteger(std::numeric_limits<qint64>::min());
        if (whole != std::numeric_limits<qint64>::min() && double(whole) == number) {
            if (whole >= std::numeric_limits<int>::min() && whole <= std::numeric_limits<int>::max())
                return int(whole);
            return QVariant::fromValue(whole);
        }
        return number;
    }
    return json.toVariant();
}

bool readJson(QIODevice &device, QSettings::SettingsMap &map)
{
    const QByteArray bytes = device.readAll();
    if (bytes.trimmed().isEmpty())
        return true;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it)
        map.insert(it.key(), fromJson(it.value()));
    return true;
}

bool writeJson(QIODevice &device, const QSettings::SettingsMap &map)
{
    QJsonObject object;
    for (auto it = map.begin(); it != map.end(); ++it)
        object.insert(it.key(), toJson(it.value()));
    return device.write(QJsonDocument(object).toJson(QJsonDocument::Indented)) >= 0;
}

QSettings::Format jsonFormat()
{
    static const QSettings::Format format = QSettings::registerFormat(u"json"_s, readJson, writeJson);
    return format;
}

} // namespace

namespace UserSettings {

std::unique_ptr<QSettings> open()
{
    return std::make_unique<QSettings>(jsonFormat(), QSettings::UserScope, u"Quillmere"_s, u"Quillmere"_s);
}

QVariant value(const QString &key)
{
    return open()->value(key);
}

std::optional<QString> text(const QString &key)
{
    const QVariant stored = value(key);
    if (stored.typeId() != QMetaType::QString)
        return std::nullopt;
    return stored.toString();
}

std::optional<double> number(const QString &key)
{
    const QVariant stored = value(key);
    switch (stored.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return stored.toDouble();
    default:
        return std::nullopt;
    }
}

std::optional<QDateTime> date(const QString &key)
{
    const QVariant stored = value(key);
    if (stored.typeId() != QMetaType::QDateTime)
        return std::nullopt;
    return stored.toDateTime();
}

void setValue(const QString &key, const QVariant &value)
{
    const std::unique_ptr<QSettings> settings = open();
    const QVariant stored = settings->value(key);
    if (stored.typeId() == value.typeId() && stored == value)
        return;
    settings->setValue(key, value);
    Q_EMIT SettingsChanges::instance().changed(key);
}

void remove(const QString &key)
{
    const std::unique_ptr<QSettings> settings = open();
    if (!settings->contains(key))
        return;
    settings->remove(key);
    Q_EMIT SettingsChanges::instance().changed(key);
}

} // namespace UserSettings

#include "UpdateInfo.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

using namespace Qt::StringLiterals;

namespace {

// A missing or null key is none; a value of another type fails the whole reply.
template<typename T>
bool readOptional(const QJsonObject &object, const QString &key, QJsonValue::Type type, std::optional<T> &field)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return true;
    if (value.type() != type)
        return false;
    field = value.toVariant().value<T>();
    return true;
}

} // namespace

std::optional<UpdateInfo> UpdateInfo::fromJson(const QByteArray &body)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue version = object.value(u"version"_s);
    const QJsonValue url = object.value(u"url"_s);
    if (!version.isString() || !url.isString())
        return std::nullopt;

    UpdateInfo info;
    info.version = version.toString();
    info.url = url.toString();
    if (!readOptional(object, u"notes"_s, QJsonValue::String, info.notes)
        || !readOptional(object, u"mandatory"_s, QJsonValue::Bool, info.mandatory))
        return std::nullopt;
    return info;
}

QVariantMap UpdateInfo::toVariantMap() const
{
    QVariantMap map{{u"version"_s, version}, {u"url"_s, url}, {u"mandatory"_s, isMandatory()}};
    if (notes)
        map.insert(u"notes"_s, *notes);
    return map;
}

#include "SourceHealth.h"

#include "Support/CheckedConversion.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// 2001-01-01 00:00:00 UTC in milliseconds since 1970: the reference date of the stored form.
constexpr qint64 referenceDateMs = 978'307'200'000;

struct WrongType
{
};

// Writes and reads one record field by field, so that encoding and decoding share one list of
// keys and cannot drift apart.
class Encoder
{
public:
    void field(QLatin1StringView key, const std::optional<QDateTime> &value)
    {
        if (value)
            m_object.insert(key, double(value->toMSecsSinceEpoch() - referenceDateMs) / 1000.0);
    }
    void field(QLatin1StringView key, const std::optional<QString> &value)
    {
        if (value)
            m_object.insert(key, *value);
    }
    void field(QLatin1StringView key, const std::optional<qint64> &value)
    {
        if (value)
            m_object.insert(key, *value);
    }
    void field(QLatin1StringView key, const std::optional<bool> &value)
    {
        if (value)
            m_object.insert(key, *value);
    }

    [[nodiscard]] const QJsonObject &object() const { return m_object; }

private:
    QJsonObject m_object;
};

class Decoder
{
public:
    explicit Decoder(QJsonObject object)
        : m_object(std::move(object))
    {
    }

    void field(QLatin1StringView key, std::optional<QDateTime> &value) const
    {
        if (const QJsonValue json = present(key); !json.isUndefined()) {
            const std::optional<QDateTime> sinceReference = momentFromEpochSeconds(number(json));
            if (!sinceReference)
                throw WrongType();
            value = sinceReference->addMSecs(referenceDateMs);
        }
    }
    void field(QLatin1StringView key, std::optional<QString> &value) const
    {
        if (const QJsonValue json = present(key); !json.isUndefined()) {
            if (!json.isString())
                throw WrongType();
            value = json.toString();
        }
    }
    void field(QLatin1StringView key, std::optional<qint64> &value) const
    {
        if (const QJsonValue json = present(key); !json.isUndefined()) {
            const std::optional<qint64> count = exactInteger(number(json));
            if (!count)
                throw WrongType();
            value = *count;
        }
    }
    void field(QLatin1StringView key, std::optional<bool> &value) const
    {
        if (const QJsonValue json = present(key); !json.isUndefined()) {
            if (!json.isBool())
                throw WrongType();
            value = json.toBool();
        }
    }

private:
    // Undefined for a missing key and for null, which both mean "absent".
    [[nodiscard]] QJsonValue present(QLatin1StringView key) const
    {
        const QJsonValue json = m_object.value(key);
        return json.isNull() ? QJsonValue(QJsonValue::Undefined) : json;
    }

    static double number(const QJsonValue &json)
    {
        if (!json.isDouble() || !std::isfinite(json.toDouble()))
            throw WrongType();
        return json.toDouble();
    }

    QJsonObject m_object;
};

template<typename Record, typename Coder>
void visitFields(Record &health, Coder &coder)
{
    coder.field("catalogueAttempt"_L1, health.catalogueAttempt);
    coder.field("lastCatalogueSuccess"_L1, health.lastCatalogueSuccess);
    coder.field("catalogueError"_L1, health.catalogueError);
    coder.field("guideAttempt"_L1, health.guideAttempt);
    coder.field("lastGuideSuccess"_L1, health.lastGuideSuccess);
    coder.field("guideError"_L1, health.guideError);
    coder.field("guideProgrammeCount"_L1, health.guideProgrammeCount);
    coder.field("guideInProgress"_L1, health.guideInProgress);
    coder.field("connectionChecked"_L1, health.connectionChecked);
    coder.field("connectionError"_L1, health.connectionError);
}

} // namespace

QByteArray SourceHealth::encoded() const
{
    Encoder encoder;
    visitFields(*this, encoder);
    return QJsonDocument(encoder.object()).toJson(QJsonDocument::Compact);
}

std::optional<SourceHealth> SourceHealth::decoded(const QByteArray &data)
{
    const QJsonDocument document = QJsonDocument::fromJson(data);
    if (!document.isObject())
        return std::nullopt;
    const Decoder decoder(document.object());
    SourceHealth health;
    try {
        visitFields(health, decoder);
    } catch (const WrongType &) {
        return std::nullopt;
    }
    return health;
}

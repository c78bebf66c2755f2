#include "XtreamObjectDecoder.h"

#include "JSONTextRepair.h"
#include "XtreamAPIError.h"
#include "XtreamValueReader.h"

#include <QVarLengthArray>

#include <array>
#include <cstring>
#include <limits>
#include <string>

using XtreamValueReader::throwParseError;
using XtreamValueReader::Value;

namespace {

enum CategoryField : quint8 { CategoryProviderID, CategoryName, CategoryFieldCount };

enum ItemField : quint8 {
    ItemProviderID,
    ItemTitle,
    ItemCategoryID,
    ItemSubtitle,
    ItemEPGChannelID,
    ItemArtwork,
    ItemContainerExtension,
    ItemSortNumber,
    ItemRating,
    ItemAddedAt,
    ItemGenre,
    ItemFieldCount
};

struct FieldKeys
{
    quint8 field;
    std::initializer_list<std::string_view> keys;
};

// Which field a key feeds and how early it stands in that field's key list. An object's members
// are visited once, in document order, and each is looked up here; keys of no interest cost one
// length check.
class FieldTable
{
public:
    struct Entry
    {
        std::string_view key;
        quint8 field;
        quint8 rank;
    };

    FieldTable(std::initializer_list<FieldKeys> fields)
    {
        for (const FieldKeys &field : fields) {
            quint8 rank = 0;
            for (const std::string_view key : field.keys) {
                Q_ASSERT(key.size() < m_byLength.size());
                m_byLength[key.size()].append({key, field.field, rank++});
            }
        }
    }

    [[nodiscard]] const Entry *find(std::string_view key) const
    {
        if (key.size() >= m_byLength.size())
            return nullptr;
        for (const Entry &entry : m_byLength[key.size()]) {
            if (std::memcmp(entry.key.data(), key.data(), key.size()) == 0)
                return &entry;
        }
        return nullptr;
    }

private:
    std::array<QVarLengthArray<Entry, 4>, 32> m_byLength;
};

const FieldTable &categoryTable()
{
    static const FieldTable table{{CategoryProviderID, {"category_id", "id"}}, {CategoryName, {"category_name", "name"}}};
    return table;
}

// The fields of every kind, then those of the kind: live channels add their guide channel,
// films and series their genre.
FieldTable makeItemTable(std::string_view idKey, FieldKeys kindFields)
{
    return FieldTable{{ItemProviderID, {idKey, "id"}},
                      {ItemTitle, {"name", "stream_display_name", "title"}},
                      {ItemCategoryID, {"category_id"}},
                      {ItemSubtitle, {"plot", "description", "director"}},
                      {ItemArtwork, {"stream_icon", "cover_big", "cover", "icon"}},
                      {ItemContainerExtension, {"container_extension", "extension"}},
                      {ItemSortNumber, {"num"}},
                      {ItemRating, {"rating", "rating_5based"}},
                      {ItemAddedAt, {"added", "last_modified"}},
                      kindFields};
}

const FieldTable &itemTable(CatalogueKind kind)
{
    static const FieldTable live =
        makeItemTable("stream_id", {ItemEPGChannelID, {"epg_channel_id", "epg_channel", "tvg_id", "channel_id"}});
    static const FieldTable movie = makeItemTable("stream_id", {ItemGenre, {"genre"}});
    static const FieldTable series = makeItemTable("series_id", {ItemGenre, {"genre"}});
    switch (kind) {
    case CatalogueKind::Live:
        return live;
    case CatalogueKind::Movie:
        return movie;
    case CatalogueKind::Series:
        return series;
    }
    Q_UNREACHABLE();
}

// The first usable value of each field, by the rank of its key.
template<size_t FieldCount>
class Fields
{
public:
    Fields(simdjson::ondemand::object &object, const FieldTable &table)
    {
        m_ranks.fill(std::numeric_limits<quint8>::max());
        for (auto member : object) {
            simdjson::ondemand::field field;
            if (const auto error = std::move(member).get(field))
                throwParseError(error);
            std::string_view key;
            if (const auto error = field.unescaped_key().get(key))
                throwParseError(error);
            const FieldTable::Entry *entry = table.find(key);
            if (!entry || entry->rank >= m_ranks[entry->field])
                continue;
            if (auto value = Value::from(field.value())) {
                m_values[entry->field] = *value;
                m_ranks[entry->field] = entry->rank;
            }
        }
    }

    [[nodiscard]] std::optional<QString> text(quint8 field) const
    {
        return m_values[field] ? std::optional(m_values[field]->text()) : std::nullopt;
    }

    [[nodiscard]] QString requiredText(quint8 field) const
    {
        if (!m_values[field])
            throw XtreamAPIError::invalidResponse();
        return m_values[field]->text();
    }

    [[nodiscard]] std::optional<qint64> integer(quint8 field) const
    {
        return m_values[field] ? m_values[field]->integer() : std::nullopt;
    }

    [[nodiscard]] std::optional<double> number(quint8 field) const
    {
        return m_values[field] ? m_values[field]->number() : std::nullopt;
    }

private:
    std::array<std::optional<Value>, FieldCount> m_values;
    std::array<quint8, FieldCount> m_ranks;
};

} // namespace

struct XtreamObjectDecoder::Private
{
    simdjson::ondemand::parser parser;
    simdjson::ondemand::document document;
    // The object's bytes with the zeroed tail the parser may read past the end.
    std::string padded;

    simdjson::ondemand::object iterate(QByteArrayView text)
    {
        const size_t length = size_t(text.size());
        if (padded.size() < length + simdjson::SIMDJSON_PADDING)
            padded.resize(length + simdjson::SIMDJSON_PADDING);
        std::memcpy(padded.data(), text.data(), length);
        if (const auto error = parser.iterate(padded.data(), length, padded.size()).get(document))
            throwParseError(error);
        simdjson::ondemand::json_type type;
        if (const auto error = document.type().get(type))
            throwParseError(error);
        if (type != simdjson::ondemand::json_type::object)
            throw XtreamAPIError::invalidResponse();
        simdjson::ondemand::object object;
        if (const auto error = document.get_object().get(object))
            throwParseError(error);
        return object;
    }

    // Fills a record in place: a batch's records are made where the batch's list keeps them.
    void decode(QByteArrayView objectText, CatalogueKind kind, ContentItem &item);
    void decodeAsSent(QByteArrayView objectText, CatalogueKind kind, ContentItem &item);
    [[nodiscard]] Category category(QByteArrayView objectText, CatalogueKind kind);
};

void XtreamObjectDecoder::Private::decode(QByteArrayView objectText, CatalogueKind kind, ContentItem &item)
{
    JSONTextRepair::parseMending(objectText, [&](QByteArrayView text) { decodeAsSent(text, kind, item); });
}

void XtreamObjectDecoder::Private::decodeAsSent(QByteArrayView objectText, CatalogueKind kind, ContentItem &item)
{
    simdjson::ondemand::object object = iterate(objectText);
    const Fields<ItemFieldCount> fields(object, itemTable(kind));
    item.kind = kind;
    item.providerID = fields.requiredText(ItemProviderID);
    item.title = fields.requiredText(ItemTitle);
    item.categoryID = fields.text(ItemCategoryID);
    item.subtitle = fields.text(ItemSubtitle);
    item.epgChannelID = fields.text(ItemEPGChannelID);
    item.artworkURL = fields.text(ItemArtwork);
    item.containerExtension = fields.text(ItemContainerExtension);
    item.sortNumber = fields.integer(ItemSortNumber);
    if (const auto rating = fields.number(ItemRating); rating && *rating > 0)
        item.rating = rating;
    item.addedAt = fields.integer(ItemAddedAt);
    item.genre = fields.text(ItemGenre);
}

XtreamObjectDecoder::XtreamObjectDecoder()
    : d(std::make_unique<Private>())
{
}

XtreamObjectDecoder::~XtreamObjectDecoder() = default;
XtreamObjectDecoder::XtreamObjectDecoder(XtreamObjectDecoder &&) noexcept = default;
XtreamObjectDecoder &XtreamObjectDecoder::operator=(XtreamObjectDecoder &&) noexcept = default;

Category XtreamObjectDecoder::Private::category(QByteArrayView objectText, CatalogueKind kind)
{
    return JSONTextRepair::parseMending(objectText, [&](QByteArrayView text) {
        simdjson::ondemand::object object = iterate(text);
        const Fields<CategoryFieldCount> fields(object, categoryTable());
        Category category;
        category.kind = kind;
        category.providerID = fields.requiredText(CategoryProviderID);
        category.name = fields.requiredText(CategoryName);
        return category;
    });
}

Category XtreamObjectDecoder::category(QByteArrayView objectText, CatalogueKind kind)
{
    return d->category(objectText, kind);
}

ContentItem XtreamObjectDecoder::contentItem(QByteArrayView objectText, CatalogueKind kind)
{
    ContentItem item;
    d->decode(objectText, kind, item);
    return item;
}

QList<Category> XtreamObjectDecoder::categories(const QList<QByteArray> &objectTexts, CatalogueKind kind)
{
    QList<Category> result;
    result.reserve(objectTexts.size());
    for (const QByteArray &text : objectTexts)
        result.append(category(text, kind));
    return result;
}

QList<ContentItem> XtreamObjectDecoder::contentItems(const QList<QByteArray> &objectTexts, CatalogueKind kind)
{
    QList<ContentItem> result(objectTexts.size());
    for (qsizetype index = 0; index < objectTexts.size(); ++index)
        d->decode(objectTexts.at(index), kind, result[index]);
    return result;
}

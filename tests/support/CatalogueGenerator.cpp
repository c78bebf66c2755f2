#include "CatalogueGenerator.h"

#include <QRandomGenerator>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

const QStringList countryTags = {u"UK"_s, u"US"_s, u"FR"_s, u"DE"_s, u"AR"_s, u"TR"_s, u"PL"_s, u"IT"_s,
                                 u"ES"_s, u"NL"_s, u"PT"_s, u"IN"_s, u"EX-YU"_s, u"GR"_s, u"RO"_s, u"SE"_s};
const QStringList tagStyles = {u"%1: %2"_s, u"|%1| %2"_s, u"%1 - %2"_s, u"[%1] %2"_s, u"%1 | %2"_s};
const QStringList liveGroups = {u"News"_s, u"Sports"_s, u"Movies"_s, u"Kids"_s, u"Documentaries"_s,
                                u"Entertainment"_s, u"Music"_s, u"General"_s, u"Local"_s, u"VIP 4K"_s};
const QStringList vodGroups = {u"Action"_s, u"Comedy"_s, u"Drama"_s, u"Thriller"_s, u"Horror"_s,
                               u"Animation"_s, u"Family"_s, u"Sci-Fi"_s, u"Romance"_s, u"Classics"_s};
const QStringList channelWords = {u"News"_s, u"Sport"_s, u"Cinema"_s, u"One"_s, u"Premier"_s, u"Max"_s,
                                  u"Family"_s, u"Kids"_s, u"Music"_s, u"World"_s, u"Arena"_s, u"Action"_s,
                                  u"Discovery"_s, u"History"_s, u"Nature"_s, u"Comedy"_s, u"Euro"_s,
                                  u"Première"_s, u"Télé"_s, u"Канал"_s, u"Спорт"_s, u"الجزيرة"_s, u"قناة"_s};
const QStringList qualities = {u""_s, u" HD"_s, u" FHD"_s, u" 4K"_s, u" SD"_s, u" HEVC"_s};
const QStringList titleWords = {u"The"_s, u"Last"_s, u"Night"_s, u"City"_s, u"Shadow"_s, u"River"_s,
                                u"Star"_s, u"Love"_s, u"Storm"_s, u"Secret"_s, u"Summer"_s, u"Road"_s,
                                u"King"_s, u"Ocean"_s, u"Dark"_s, u"Lost"_s, u"Garden"_s, u"Winter"_s,
                                u"Fire"_s, u"Dream"_s, u"Heist"_s, u"Journey"_s, u"Empire"_s, u"Ghost"_s,
                                u"Amélie"_s, u"Señor"_s, u"Niño"_s, u"Liebe"_s, u"Ночь"_s, u"الحب"_s,
                                u"東京"_s, u"100%"_s, u"Under_score"_s};
const QStringList genres = {u"Action"_s, u"Comedy"_s, u"Drama"_s, u"Thriller"_s, u"Horror"_s,
                            u"Animation"_s, u"Documentary"_s, u"Romance"_s, u"Action, Thriller"_s};

class Generator
{
public:
    explicit Generator(quint32 seed)
        : m_random(seed)
    {
    }

    int below(int bound) { return int(m_random.bounded(quint32(bound))); }
    bool chance(int percent) { return below(100) < percent; }
    const QString &pick(const QStringList &list) { return list.at(below(int(list.size()))); }

    QString words(int count)
    {
        QStringList parts;
        for (int index = 0; index < count; ++index)
            parts.append(pick(titleWords));
        return parts.join(u' ');
    }

private:
    QRandomGenerator m_random;
};

QList<Category> makeCategories(Generator &generator, CatalogueKind kind, int count, int &nextID)
{
    const QStringList &groups = kind == CatalogueKind::Live ? liveGroups : vodGroups;
    QList<Category> categories;
    for (int index = 0; index < count; ++index) {
        const QString name = generator.pick(tagStyles).arg(countryTags.at(index % countryTags.size()),
                                                           groups.at((index / int(countryTags.size())) % groups.size()));
        categories.append({kind, QString::number(nextID++), name, 0});
    }
    return categories;
}

QString providerID(Generator &generator, int index, int &nextID)
{
    // Roughly one id in a thousand repeats a recent one, as sloppy providers do.
    if (index > 10 && generator.below(1000) == 0)
        return QString::number(nextID - 1 - generator.below(5));
    return QString::number(nextID++);
}

void addItems(GeneratedCatalogue &catalogue, Generator &generator, CatalogueKind kind, int count,
              const QList<Category> &categories, int &nextID)
{
    for (int index = 0; index < count; ++index) {
        ContentItem item;
        item.kind = kind;
        item.providerID = providerID(generator, index, nextID);
        if (!categories.isEmpty() && !generator.chance(2))
            item.categoryID = categories.at(generator.below(int(categories.size()))).providerID;
        item.sortNumber = index + 1;
        item.addedAt = 1'600'000'000 + qint64(index) * 600 + generator.below(600);
        if (generator.chance(70))
            item.artworkURL = u"http://images.example/%1/%2.jpg"_s.arg(kindText(kind), item.providerID);
        if (kind == CatalogueKind::Live) {
            const QString name = generator.pick(channelWords) + u' ' + generator.pick(channelWords)
                + generator.pick(qualities);
            item.title = generator.chance(30) ? QString::number(index + 1) + u' ' + name : name;
            if (generator.chance(60))
                item.epgChannelID = name.simplified().remove(u' ').toLower() + u".uk"_s;
        } else {
            item.title = generator.words(1 + generator.below(3));
            if (generator.chance(60))
                item.title += u" (%1)"_s.arg(1960 + generator.below(65));
            if (generator.chance(50))
                item.subtitle = u"A story of "_s + generator.words(4).toLower() + u'.';
            if (generator.chance(80))
                item.rating = double(generator.below(100)) / 10.0;
            if (generator.chance(85))
                item.genre = generator.pick(genres);
            if (kind == CatalogueKind::Movie)
                item.containerExtension = generator.chance(70) ? u"mp4"_s : u"mkv"_s;
        }
        catalogue.items.append(item);
    }
}

} // namespace

ContentItem catalogueEntry(CatalogueKind kind, int number, const QString &categoryID, const QString &title)
{
    ContentItem item;
    item.kind = kind;
    item.providerID = QString::number(number);
    item.categoryID = categoryID;
    item.title = title;
    item.sortNumber = number;
    item.addedAt = 1'700'000'000 - number;
    return item;
}

GeneratedCatalogue generateCatalogue(CatalogueSize size, quint32 seed)
{
    Generator generator(seed);
    GeneratedCatalogue catalogue;
    int nextCategoryID = 1;
    int nextItemID = 1;
    const struct
    {
        CatalogueKind kind;
        int count;
    } kinds[] = {{CatalogueKind::Live, size.live}, {CatalogueKind::Movie, size.movies}, {CatalogueKind::Series, size.series}};
    for (const auto &[kind, count] : kinds) {
        const int categoryCount = count == 0 ? 0 : std::clamp(count / 400, 3, 160);
        const QList<Category> categories = makeCategories(generator, kind, categoryCount, nextCategoryID);
        catalogue.categories.append(categories);
        addItems(catalogue, generator, kind, count, categories, nextItemID);
    }
    return catalogue;
}

QList<Category> GeneratedCatalogue::categoriesOf(CatalogueKind kind) const
{
    QList<Category> result;
    std::copy_if(categories.begin(), categories.end(), std::back_inserter(result),
                 [kind](const Category &category) { return category.kind == kind; });
    return result;
}

QList<ContentItem> GeneratedCatalogue::itemsOf(CatalogueKind kind) const
{
    QList<ContentItem> result;
    std::copy_if(items.begin(), items.end(), std::back_inserter(result),
                 [kind](const ContentItem &item) { return item.kind == kind; });
    return result;
}

GeneratedCatalogue languageCatalogue()
{
    struct Group
    {
        CatalogueKind kind;
        QString name;
        QStringList titles;
    };
    const QList<Group> groups{
        {CatalogueKind::Live, u"UK: News"_s, {u"BBC News"_s, u"Sky News"_s, u"GB News"_s}},
        {CatalogueKind::Live, u"FR: Cin\u00e9ma"_s, {u"Cin\u00e9+ Premier"_s, u"OCS Max"_s}},
        {CatalogueKind::Live, u"UK: Sports"_s, {u"Sky Sports Main Event"_s, u"TNT Sports 1"_s}},
        {CatalogueKind::Live, u"|AR| MBC"_s, {u"MBC 1"_s}},
        {CatalogueKind::Live, u"FR: Sport"_s, {u"L'\u00c9quipe"_s}},
        {CatalogueKind::Live, u"ZZ: Mystery"_s, {u"Mystery Channel"_s}},
        {CatalogueKind::Movie, u"NL: Films"_s, {u"Zwartboek (2006)"_s, u"Soldaat van Oranje (1977)"_s}},
        {CatalogueKind::Movie, u"EN: Action"_s, {u"Heat (1995)"_s}},
    };
    GeneratedCatalogue catalogue;
    int nextID = 1;
    for (const Group &group : groups) {
        const Category category{group.kind, QString::number(nextID++), group.name, 0};
        catalogue.categories.append(category);
        for (const QString &title : group.titles) {
            ContentItem item;
            item.kind = group.kind;
            item.providerID = QString::number(nextID++);
            item.categoryID = category.providerID;
            item.title = title;
            item.sortNumber = nextID;
            if (group.kind == CatalogueKind::Movie)
                item.containerExtension = u"mp4"_s;
            catalogue.items.append(item);
        }
    }
    return catalogue;
}

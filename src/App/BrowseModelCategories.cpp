// The browse model's category views: what the category column lists, the language menu, the
// all-items count and the titles of scopes. All are computed from the categories, the hidden
// languages and the filters whenever they are read.
#include "BrowseModel.h"

#include "Catalogue/CategoryLanguage.h"
#include "Support/PrefKeys.h"

#include <QVariantMap>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

bool BrowseModel::isShownAtAll(const BrowseCategory &category) const
{
    return !category.hidden && !m_hiddenLanguages.contains(category.language);
}

QList<BrowseCategory> BrowseModel::visibleCategories() const
{
    const QString needle = m_categoryFilter.trimmed();
    QList<BrowseCategory> visible;
    for (const BrowseCategory &category : m_categories) {
        if (!isShownAtAll(category))
            continue;
        if (m_languageFilter && category.language != *m_languageFilter)
            continue;
        if (!needle.isEmpty() && !category.name.contains(needle, Qt::CaseInsensitive))
            continue;
        visible.append(category);
    }
    if (Prefs::read(PrefKeys::groupCategoriesByLanguage)) {
        const QHash<QString, int> order = languageOrder();
        const auto position = [&order](const BrowseCategory &category) {
            return order.value(category.language, std::numeric_limits<int>::max());
        };
        // Stable, so that each language keeps the user's order of its categories.
        std::stable_sort(visible.begin(), visible.end(), [&position](const BrowseCategory &a, const BrowseCategory &b) {
            return position(a) < position(b);
        });
    }
    return visible;
}

QList<BrowseModel::LanguageCount> BrowseModel::languages() const
{
    QHash<QString, int> counts;
    for (const BrowseCategory &category : m_categories) {
        if (isShownAtAll(category))
            ++counts[category.language];
    }
    QList<LanguageCount> languages;
    languages.reserve(counts.size());
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        languages.append({it.key(), it.value()});
    const QString english = u"en"_s;
    std::sort(languages.begin(), languages.end(), [&english](const LanguageCount &a, const LanguageCount &b) {
        if ((a.key == english) != (b.key == english))
            return a.key == english;
        if (a.count != b.count)
            return a.count > b.count;
        // Plain code-unit order of the names, then the key, so that the order never depends
        // on the hash.
        const QString nameA = CategoryLanguage::displayName(a.key);
        const QString nameB = CategoryLanguage::displayName(b.key);
        return nameA != nameB ? nameA < nameB : a.key < b.key;
    });
    return languages;
}

QHash<QString, int> BrowseModel::languageOrder() const
{
    QHash<QString, int> order;
    const QList<LanguageCount> ordered = languages();
    for (int position = 0; position < ordered.size(); ++position)
        order.insert(ordered.at(position).key, position);
    return order;
}

qint64 BrowseModel::totalVisibleCount() const
{
    qint64 total = m_uncategorisedCount;
    for (const BrowseCategory &category : m_categories) {
        if (isShownAtAll(category))
            total += category.itemCount;
    }
    return total;
}

QString BrowseModel::categoryName(const BrowseScope &scope) const
{
    switch (scope.type()) {
    case BrowseScope::Type::All:
        if (m_kind == CatalogueKind::Live)
            return u"All channels"_s;
        return u"All "_s + kindTitle(m_kind).toLower();
    case BrowseScope::Type::Favourites:
        return u"Favourites"_s;
    case BrowseScope::Type::Category:
        break;
    }
    // Hidden categories are named too: a page may still show one the user chose.
    for (const BrowseCategory &category : m_categories) {
        if (category.providerID == scope.categoryID())
            return category.name;
    }
    return kindTitle(m_kind);
}

QString BrowseModel::categoryTitle(const QString &scopeText) const
{
    return categoryName(BrowseScope::fromSettingsText(scopeText));
}

QVariantList BrowseModel::visibleCategoryList() const
{
    QVariantList list;
    for (const BrowseCategory &category : visibleCategories()) {
        list.append(QVariantMap{
            {u"providerID"_s, category.providerID},
            {u"name"_s, category.name},
            {u"itemCount"_s, category.itemCount},
            {u"language"_s, category.language},
            {u"hidden"_s, category.hidden},
        });
    }
    return list;
}

QVariantList BrowseModel::languageList() const
{
    QVariantList list;
    for (const LanguageCount &language : languages()) {
        list.append(QVariantMap{
            {u"key"_s, language.key},
            {u"name"_s, CategoryLanguage::displayName(language.key)},
            {u"count"_s, language.count},
        });
    }
    return list;
}

#include "CategoryArrangement.h"

#include "Catalogue/CategoryLanguage.h"
#include "Support/Trimmed.h"

#include <QHash>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace CategoryArrangement {

namespace {

bool isSpaceOrTab(QChar character)
{
    return character == u' ' || character == u'\t';
}

} // namespace

QList<BrowseCategory> shown(const QList<BrowseCategory> &categories, const QString &filter)
{
    const QString needle = trimmedWhere(filter, isSpaceOrTab);
    if (needle.isEmpty())
        return categories;
    QList<BrowseCategory> matching;
    std::copy_if(categories.begin(), categories.end(), std::back_inserter(matching),
                 [&needle](const BrowseCategory &category) { return category.name.contains(needle, Qt::CaseInsensitive); });
    return matching;
}

QList<LanguageCount> languages(const QList<BrowseCategory> &categories)
{
    QHash<QString, int> counts;
    for (const BrowseCategory &category : categories)
        ++counts[category.language];
    QList<LanguageCount> list;
    list.reserve(counts.size());
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        list.append({it.key(), it.value()});
    std::sort(list.begin(), list.end(), [](const LanguageCount &a, const LanguageCount &b) {
        return a.count != b.count ? a.count > b.count : a.key < b.key;
    });
    return list;
}

QString chipTitle(const LanguageCount &language)
{
    return CategoryLanguage::displayName(language.key) + u" \u00b7 "_s + QString::number(language.count);
}

bool isHidden(const BrowseCategory &category, const QSet<QString> &hiddenLanguages)
{
    return category.hidden || hiddenLanguages.contains(category.language);
}

QString hiddenLanguageBadge(const QString &key)
{
    return CategoryLanguage::displayName(key).toUpper() + u" HIDDEN"_s;
}

QStringList movedIDs(const QList<BrowseCategory> &categories, const BrowseCategory &category, int target)
{
    QStringList ids;
    ids.reserve(categories.size());
    for (const BrowseCategory &each : categories) {
        if (each.providerID != category.providerID)
            ids.append(each.providerID);
    }
    ids.insert(std::clamp<qsizetype>(target, 0, ids.size()), category.providerID);
    return ids;
}

std::optional<int> stepTarget(const QList<BrowseCategory> &categories, const BrowseCategory &category, int step)
{
    const qsizetype position = categories.indexOf(category);
    if (position < 0)
        return std::nullopt;
    return int(std::clamp<qsizetype>(position + step, 0, categories.size() - 1));
}

} // namespace CategoryArrangement

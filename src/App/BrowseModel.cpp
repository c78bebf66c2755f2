// The browse model's state: its properties, what each change saves or starts, the data key, and
// the scope kept for each playlist.
#include "BrowseModel.h"

#include "Store/CatalogueStore.h"
#include "Support/AssignIfChanged.h"
#include "Support/PrefKeys.h"
#include "Support/SettingsChanges.h"
#include "Support/UserSettings.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Followed by the kind's text (and, for the scope, the playlist) to name a setting.
const QString sortPrefix = u"quillmere.sort."_s;
const QString languageFilterPrefix = u"quillmere.languageFilter."_s;
const QString scopePrefix = u"quillmere.scope."_s;

} // namespace

BrowseModel::BrowseModel(CatalogueKind kind, CatalogueStore &store, QObject *parent)
    : QObject(parent)
    , m_kind(kind)
    , m_store(store)
    , m_languageFilter(UserSettings::text(settingsKey(languageFilterPrefix)))
    , m_sort(browseSortFromText(UserSettings::text(settingsKey(sortPrefix)).value_or(QString()))
                 .value_or(BrowseSort::Provider))
    , m_items(this)
    , m_announcedDataKey(dataKey())
{
    for (const auto signal : {&CatalogueStore::selectedPlaylistIDChanged, &CatalogueStore::playlistsChanged,
                              &CatalogueStore::catalogueRevisionChanged, &CatalogueStore::categoryOrderRevisionChanged})
        connect(&store, signal, this, &BrowseModel::announceDataKey);
    // The category column regroups as soon as the setting changes, without a reload.
    connect(&SettingsChanges::instance(), &SettingsChanges::changed, this, [this](const QString &key) {
        if (key == PrefKeys::groupCategoriesByLanguage.key)
            Q_EMIT categoryViewsChanged();
    });

    // A saved order other than the default loads at once. The scope waits for the first
    // refresh: it depends on the playlist and its categories.
    if (m_sort != BrowseSort::Provider)
        scheduleReload(false);
}

BrowseModel::~BrowseModel()
{
    m_reloadTask.cancel();
    m_pageTask.cancel();
}

QString BrowseModel::dataKey() const
{
    return QString::number(m_store.activePlaylistID().value_or(0)) + u'|'
        + QString::number(m_store.catalogueRevision()) + u'|' + QString::number(m_store.categoryOrderRevision());
}

void BrowseModel::announceDataKey()
{
    if (assignIfChanged(m_announcedDataKey, dataKey()))
        Q_EMIT dataKeyChanged();
}

void BrowseModel::setCategories(const QList<BrowseCategory> &categories, qint64 uncategorisedCount)
{
    const bool listChanged = assignIfChanged(m_categories, categories);
    const bool countChanged = assignIfChanged(m_uncategorisedCount, uncategorisedCount);
    if (listChanged)
        Q_EMIT categoriesChanged();
    // Once for both: every view of the categories rebuilds its rows on this signal.
    if (listChanged || countChanged)
        Q_EMIT categoryViewsChanged();
}

void BrowseModel::setHiddenLanguages(const QSet<QString> &keys)
{
    if (!assignIfChanged(m_hiddenLanguages, keys))
        return;
    Q_EMIT hiddenLanguagesChanged();
    Q_EMIT categoryViewsChanged();
}

void BrowseModel::setLanguageFilter(const std::optional<QString> &key)
{
    if (!assignIfChanged(m_languageFilter, key))
        return;
    const QString settingKey = settingsKey(languageFilterPrefix);
    if (m_languageFilter)
        UserSettings::setValue(settingKey, *m_languageFilter);
    else
        UserSettings::remove(settingKey);
    Q_EMIT languageFilterChanged();
    Q_EMIT categoryViewsChanged();
}

void BrowseModel::setLanguageFilterText(const QString &key)
{
    setLanguageFilter(key.isEmpty() ? std::nullopt : std::optional(key));
}

void BrowseModel::setCategoryFilter(const QString &text)
{
    if (!assignIfChanged(m_categoryFilter, text))
        return;
    Q_EMIT categoryFilterChanged();
    Q_EMIT categoryViewsChanged();
}

void BrowseModel::setScope(const BrowseScope &scope)
{
    if (!assignIfChanged(m_scope, scope))
        return;
    UserSettings::setValue(scopeKey(), m_scope.settingsText());
    scheduleReload(false);
    Q_EMIT scopeChanged();
}

void BrowseModel::setScopeText(const QString &text)
{
    setScope(BrowseScope::fromSettingsText(text));
}

void BrowseModel::setQuery(const QString &query)
{
    if (!assignIfChanged(m_query, query))
        return;
    scheduleReload(true);
    Q_EMIT queryChanged();
}

void BrowseModel::setSort(BrowseSort sort)
{
    if (!assignIfChanged(m_sort, sort))
        return;
    UserSettings::setValue(settingsKey(sortPrefix), sortText(sort));
    scheduleReload(false);
    Q_EMIT sortChanged();
}

void BrowseModel::setSortName(const QString &name)
{
    if (const std::optional<BrowseSort> sort = browseSortFromText(name))
        setSort(*sort);
}

void BrowseModel::setSelected(const std::optional<MediaItem> &item)
{
    if (assignIfChanged(m_selected, item))
        Q_EMIT selectedChanged();
}

void BrowseModel::setTotal(qint64 total)
{
    if (assignIfChanged(m_total, total))
        Q_EMIT totalChanged();
}

void BrowseModel::setLoading(bool loading)
{
    if (assignIfChanged(m_loading, loading))
        Q_EMIT loadingChanged();
}

void BrowseModel::setError(const std::optional<QString> &error)
{
    if (assignIfChanged(m_error, error))
        Q_EMIT errorChanged();
}

void BrowseModel::setExhausted(bool exhausted)
{
    if (assignIfChanged(m_exhausted, exhausted))
        Q_EMIT exhaustedChanged();
}

int BrowseModel::pageSize() const
{
    return m_kind == CatalogueKind::Live ? 150 : 120;
}

BrowseModel::Selection BrowseModel::currentSelection() const
{
    return {m_store.activePlaylistID(), m_scope, m_query, m_sort};
}

QString BrowseModel::settingsKey(const QString &prefix) const
{
    return prefix + kindText(m_kind);
}

// Read when used, so that a scope is always saved for the playlist active at that moment.
QString BrowseModel::scopeKey() const
{
    return settingsKey(scopePrefix) + u'.' + QString::number(m_store.activePlaylistID().value_or(0));
}

// Hidden categories count: a scope the user chose stays while its category exists.
bool BrowseModel::isAvailable(const BrowseScope &scope) const
{
    if (scope.type() != BrowseScope::Type::Category)
        return true;
    return std::any_of(m_categories.cbegin(), m_categories.cend(), [&scope](const BrowseCategory &category) {
        return category.providerID == scope.categoryID();
    });
}

std::optional<BrowseScope> BrowseModel::savedScope() const
{
    const std::optional<QString> saved = UserSettings::text(scopeKey());
    return saved ? std::optional(BrowseScope::fromSettingsText(*saved)) : std::nullopt;
}

BrowseScope BrowseModel::defaultScope() const
{
    if (m_kind != CatalogueKind::Live)
        return BrowseScope::all();
    const QList<BrowseCategory> visible = visibleCategories();
    return visible.isEmpty() ? BrowseScope::all() : BrowseScope::category(visible.constFirst().providerID);
}

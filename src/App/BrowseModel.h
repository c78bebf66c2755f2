#pragma once

#include "App/MediaItemListModel.h"
#include "Catalogue/CatalogueModels.h"
#include "Support/Job.h"

#include <QCoroTask>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QVariantList>

#include <optional>
#include <stop_token>

class CatalogueStore;

// The browse state of one catalogue kind (live channels, films or series): its categories and
// the user's filters over them, the scope, search text and order of the item list, the loaded
// pages of items with their total, the selected item, and the loading and error state. Scope,
// order and language filter are kept in user settings. The model lives on the main thread and
// reaches the database only through the store's page reader, whose calls it awaits.
class BrowseModel final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString kind READ kindName CONSTANT)
    Q_PROPERTY(QString dataKey READ dataKey NOTIFY dataKeyChanged)
    Q_PROPERTY(QString languageFilter READ languageFilterText WRITE setLanguageFilterText NOTIFY languageFilterChanged)
    Q_PROPERTY(QString categoryFilter READ categoryFilter WRITE setCategoryFilter NOTIFY categoryFilterChanged)
    Q_PROPERTY(QString scope READ scopeText WRITE setScopeText NOTIFY scopeChanged)
    Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY queryChanged)
    Q_PROPERTY(QString sort READ sortName WRITE setSortName NOTIFY sortChanged)
    Q_PROPERTY(MediaItemListModel *items READ itemModel CONSTANT)
    Q_PROPERTY(qint64 total READ total NOTIFY totalChanged)
    Q_PROPERTY(bool loading READ isLoading NOTIFY loadingChanged)
    Q_PROPERTY(QString error READ errorText NOTIFY errorChanged)
    Q_PROPERTY(bool exhausted READ isExhausted NOTIFY exhaustedChanged)
    Q_PROPERTY(QVariantList visibleCategories READ visibleCategoryList NOTIFY categoryViewsChanged)
    Q_PROPERTY(QVariantList languages READ languageList NOTIFY categoryViewsChanged)
    Q_PROPERTY(qint64 totalVisibleCount READ totalVisibleCount NOTIFY categoryViewsChanged)

public:
    // A language of the category list and how many shown categories it has.
    struct LanguageCount
    {
        QString key;
        int count = 0;

        friend bool operator==(const LanguageCount &, const LanguageCount &) = default;
    };

    BrowseModel(CatalogueKind kind, CatalogueStore &store, QObject *parent = nullptr);
    ~BrowseModel() override;

    [[nodiscard]] CatalogueKind kind() const { return m_kind; }
    [[nodiscard]] QString kindName() const { return kindText(m_kind); }
    // "<active playlist id>|<catalogue revision>|<category-order revision>", 0 for no playlist.
    [[nodiscard]] QString dataKey() const;

    // Every category of the kind in the active playlist, hidden ones included, in the user's order.
    [[nodiscard]] const QList<BrowseCategory> &categories() const { return m_categories; }
    // The categories as a load found them, with the number of items outside every one of them.
    void setCategories(const QList<BrowseCategory> &categories, qint64 uncategorisedCount = 0);
    // The language keys the user hid, in every playlist.
    [[nodiscard]] const QSet<QString> &hiddenLanguages() const { return m_hiddenLanguages; }
    void setHiddenLanguages(const QSet<QString> &keys);
    // When set, only categories of this language key are listed. Saved per kind.
    [[nodiscard]] const std::optional<QString> &languageFilter() const { return m_languageFilter; }
    void setLanguageFilter(const std::optional<QString> &key);
    [[nodiscard]] QString languageFilterText() const { return m_languageFilter.value_or(QString()); }
    // An empty text clears the filter.
    void setLanguageFilterText(const QString &key);
    // The text typed into the category column's filter field.
    [[nodiscard]] const QString &categoryFilter() const { return m_categoryFilter; }
    void setCategoryFilter(const QString &text);
    // Saved per kind and playlist.
    [[nodiscard]] const BrowseScope &scope() const { return m_scope; }
    void setScope(const BrowseScope &scope);
    // "all", "fav" or a category's provider id.
    [[nodiscard]] QString scopeText() const { return m_scope.settingsText(); }
    void setScopeText(const QString &text);
    [[nodiscard]] const QString &query() const { return m_query; }
    // Each keystroke postpones the reload until typing pauses.
    void setQuery(const QString &query);
    // Saved per kind.
    [[nodiscard]] BrowseSort sort() const { return m_sort; }
    void setSort(BrowseSort sort);
    [[nodiscard]] QString sortName() const { return sortText(m_sort); }
    // A text that names no order is ignored.
    void setSortName(const QString &name);

    [[nodiscard]] const QList<MediaItem> &items() const { return m_items.items(); }
    [[nodiscard]] MediaItemListModel *itemModel() { return &m_items; }
    // Rows of the current selection in the database; paging never changes it.
    [[nodiscard]] qint64 total() const { return m_total; }
    [[nodiscard]] bool isLoading() const { return m_loading; }
    // The sentence of the last failed load.
    [[nodiscard]] const std::optional<QString> &error() const { return m_error; }
    [[nodiscard]] QString errorText() const { return m_error.value_or(QString()); }
    // The last page came back short: there is nothing more to fetch.
    [[nodiscard]] bool isExhausted() const { return m_exhausted; }
    [[nodiscard]] const std::optional<MediaItem> &selected() const { return m_selected; }
    void setSelected(const std::optional<MediaItem> &item);

    // Loads categories and the first page when the data key changed since the last refresh,
    // restoring the playlist's saved scope after a change of playlist.
    [[nodiscard]] QCoro::Task<void> refreshIfNeeded();
    // Loads the first page and the total of the current selection. Results that arrive after a
    // newer reload began are dropped.
    [[nodiscard]] QCoro::Task<void> reload();
    // Replaces the pending reload; with debounce it waits for a pause in typing first.
    void scheduleReload(bool debounce);
    // Fetches the next page when the row of `item` is among the last loaded ones.
    void loadMoreIfNeeded(const MediaItem &item);
    // Mirrors a favourite change written through the store into the loaded items.
    void updateFavourite(const MediaItem &item, bool saved);
    // The channels the player may switch through when a channel of this list starts.
    [[nodiscard]] QCoro::Task<QList<MediaItem>> channelQueue();

    // What the category column shows: the categories after hidden flags, hidden languages,
    // language filter, name filter and (when the user asked for it) grouping by language.
    [[nodiscard]] QList<BrowseCategory> visibleCategories() const;
    // The languages of the shown categories with their category counts, English first, then
    // the most common.
    [[nodiscard]] QList<LanguageCount> languages() const;
    // How many items the all-items list holds: those of the categories shown at all, and those
    // outside every listed category. For the all-items row.
    [[nodiscard]] qint64 totalVisibleCount() const;
    // The title of a scope for headers.
    [[nodiscard]] QString categoryName(const BrowseScope &scope) const;
    // The same for a scope as text ("all", "fav" or a category id).
    Q_INVOKABLE QString categoryTitle(const QString &scopeText) const;

Q_SIGNALS:
    void dataKeyChanged();
    void categoriesChanged();
    void hiddenLanguagesChanged();
    void languageFilterChanged();
    void categoryFilterChanged();
    void scopeChanged();
    void queryChanged();
    void sortChanged();
    void totalChanged();
    void loadingChanged();
    void errorChanged();
    void exhaustedChanged();
    void selectedChanged();
    // visibleCategories, languages or totalVisibleCount may read differently.
    void categoryViewsChanged();

private:
    // What a reload or a page fetch asks the reader for, taken when it starts.
    struct Selection
    {
        std::optional<qint64> playlistID;
        BrowseScope scope = BrowseScope::all();
        QString query;
        BrowseSort sort = BrowseSort::Provider;
    };

    // 150 live channels or 120 films or series.
    [[nodiscard]] int pageSize() const;
    [[nodiscard]] Selection currentSelection() const;
    [[nodiscard]] QString scopeKey() const;
    [[nodiscard]] QString settingsKey(const QString &prefix) const;
    // False only for a category scope whose category is not among `categories`.
    [[nodiscard]] bool isAvailable(const BrowseScope &scope) const;
    [[nodiscard]] BrowseScope defaultScope() const;
    // The scope kept for the active playlist, whether or not its category still exists.
    [[nodiscard]] std::optional<BrowseScope> savedScope() const;
    void announceDataKey();

    [[nodiscard]] QCoro::Task<void> loadCategories();
    [[nodiscard]] static QCoro::Task<void> runScheduledReload(QPointer<BrowseModel> self, bool debounce,
                                                              std::stop_token stop);
    [[nodiscard]] static QCoro::Task<void> fetchPage(QPointer<BrowseModel> self, Selection selection, int token,
                                                     int offset, std::stop_token stop);
    // Replaces the loaded items.
    void setItems(const QList<MediaItem> &items);
    void appendPage(const QList<MediaItem> &page);
    void setTotal(qint64 total);
    void setLoading(bool loading);
    void setError(const std::optional<QString> &error);
    void setExhausted(bool exhausted);

    [[nodiscard]] bool isShownAtAll(const BrowseCategory &category) const;
    [[nodiscard]] QHash<QString, int> languageOrder() const;
    [[nodiscard]] QVariantList visibleCategoryList() const;
    [[nodiscard]] QVariantList languageList() const;

    const CatalogueKind m_kind;
    CatalogueStore &m_store;

    QList<BrowseCategory> m_categories;
    qint64 m_uncategorisedCount = 0;
    QSet<QString> m_hiddenLanguages;
    std::optional<QString> m_languageFilter;
    QString m_categoryFilter;
    BrowseScope m_scope = BrowseScope::all();
    QString m_query;
    BrowseSort m_sort = BrowseSort::Provider;
    MediaItemListModel m_items;
    // The provider ids of the loaded items (one kind, so the id alone tells them apart).
    QSet<QString> m_loadedIDs;
    qint64 m_total = 0;
    bool m_loading = false;
    std::optional<QString> m_error;
    bool m_exhausted = false;
    std::optional<MediaItem> m_selected;

    QString m_announcedDataKey;
    QString m_loadedFor;
    Job<void> m_reloadTask;
    Job<void> m_pageTask;
    int m_generation = 0;
};

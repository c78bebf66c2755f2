#include "CategorySettingsModel.h"

#include "CategoryArrangement.h"

#include "App/AppModel.h"
#include "Catalogue/CataloguePageReader.h"
#include "Store/CatalogueStore.h"

#include <QPointer>
#include <QVariantMap>

using namespace Qt::StringLiterals;

void CategorySettingsModel::start(AppModel &app)
{
    CatalogueStore *store = app.store();
    // The lists belong to the active playlist: a change of it reads them again.
    for (const auto signal : {&CatalogueStore::playlistsChanged, &CatalogueStore::selectedPlaylistIDChanged}) {
        connect(store, signal, this, [this] {
            Q_EMIT activeChanged();
            const QString key = kindText(m_kind) + u'|' + QString::number(this->app()->store()->activePlaylistID().value_or(0));
            if (key != m_loadKey)
                reload();
        });
    }
    Q_EMIT activeChanged();
    reload();
}

void CategorySettingsModel::setKind(const QString &kind)
{
    const std::optional<CatalogueKind> parsed = catalogueKindFromText(kind);
    if (!parsed || *parsed == m_kind)
        return;
    m_kind = *parsed;
    Q_EMIT kindChanged();
    if (app())
        reload();
}

QString CategorySettingsModel::listTitle() const
{
    return kindTitle(m_kind) + u" categories"_s;
}

void CategorySettingsModel::setFilter(const QString &filter)
{
    if (filter == m_filter)
        return;
    m_filter = filter;
    Q_EMIT filterChanged();
    showRows();
}

bool CategorySettingsModel::hasActive() const
{
    return app() && app()->store()->activePlaylist();
}

QVariantList CategorySettingsModel::languages() const
{
    QVariantList chips;
    for (const CategoryArrangement::LanguageCount &language : CategoryArrangement::languages(m_categories)) {
        chips.append(QVariantMap{{u"key"_s, language.key},
                                 {u"title"_s, CategoryArrangement::chipTitle(language)},
                                 {u"hidden"_s, m_hiddenLanguages.contains(language.key)}});
    }
    return chips;
}

void CategorySettingsModel::reload()
{
    m_loadKey = kindText(m_kind) + u'|' + QString::number(app()->store()->activePlaylistID().value_or(0));
    load(++m_generation);
}

QCoro::Task<void> CategorySettingsModel::load(int generation)
{
    QPointer<CategorySettingsModel> self(this);
    CataloguePageReader &reader = app()->store()->pageReader();
    const std::optional<qint64> playlistID = app()->store()->activePlaylistID();
    QList<BrowseCategory> categories;
    try {
        categories = co_await reader.browseCategories(playlistID, m_kind);
    } catch (...) {
        // An unreadable list shows as empty.
    }
    if (!self || generation != m_generation)
        co_return;
    QSet<QString> hiddenLanguages;
    try {
        hiddenLanguages = co_await reader.hiddenLanguages();
    } catch (...) {
    }
    if (!self || generation != m_generation)
        co_return;
    m_categories = categories;
    m_hiddenLanguages = hiddenLanguages;
    m_loaded = true;
    showRows();
    Q_EMIT listsChanged();
}

void CategorySettingsModel::showRows()
{
    m_rows.setRows(CategoryArrangement::shown(m_categories, m_filter), m_hiddenLanguages);
}

std::optional<BrowseCategory> CategorySettingsModel::shownAt(int row) const
{
    if (row < 0 || row >= m_rows.rows().size())
        return std::nullopt;
    return m_rows.rows().at(row);
}

void CategorySettingsModel::write(Write body)
{
    if (!app())
        return;
    // The body lives in this coroutine's frame until its own task has ended.
    [](QPointer<CategorySettingsModel> self, QPointer<AppModel> app, Write body) -> QCoro::Task<void> {
        co_await body(*app->store());
        if (self)
            self->reload();
    }(QPointer(this), QPointer(app()), std::move(body));
}

void CategorySettingsModel::move(int row, int target)
{
    const std::optional<BrowseCategory> category = shownAt(row);
    if (!category)
        return;
    const QStringList ids = CategoryArrangement::movedIDs(m_categories, *category, target);
    const CatalogueKind kind = m_kind;
    write([kind, ids](CatalogueStore &store) { return store.saveCategoryOrder(kind, ids); });
}

void CategorySettingsModel::step(int row, int by)
{
    const std::optional<BrowseCategory> category = shownAt(row);
    if (!category)
        return;
    if (const std::optional<int> target = CategoryArrangement::stepTarget(m_categories, *category, by))
        move(row, *target);
}

void CategorySettingsModel::moveToTop(int row)
{
    move(row, 0);
}

void CategorySettingsModel::moveUp(int row)
{
    step(row, -1);
}

void CategorySettingsModel::moveDown(int row)
{
    step(row, 1);
}

void CategorySettingsModel::toggleCategory(int row)
{
    const std::optional<BrowseCategory> category = shownAt(row);
    if (!category)
        return;
    write([category = *category](CatalogueStore &store) -> QCoro::Task<void> {
        (void)co_await store.setCategoryHidden(category, !category.hidden);
    });
}

void CategorySettingsModel::toggleLanguage(const QString &key)
{
    const bool hidden = m_hiddenLanguages.contains(key);
    write([key, hidden](CatalogueStore &store) -> QCoro::Task<void> {
        (void)co_await store.setLanguageHidden(key, !hidden);
    });
}

void CategorySettingsModel::resetOrder()
{
    const CatalogueKind kind = m_kind;
    write([kind](CatalogueStore &store) { return store.resetCategoryOrder(kind); });
}

#include "CategoryColumnModel.h"

#include "App/AppModel.h"
#include "Catalogue/CategoryLanguage.h"
#include "Store/CatalogueStore.h"
#include "Support/NumberText.h"

#include <QVariantMap>

using namespace Qt::StringLiterals;

QString CategoryColumnModel::emptyMessage(bool hasCategories, bool showsAny, const QString &filter)
{
    if (!hasCategories || showsAny)
        return QString();
    return filter.isEmpty() ? u"All categories are hidden"_s : u"No categories match"_s;
}

QStringList CategoryColumnModel::movedToTop(const QStringList &ids, const QString &chosen)
{
    QStringList order{chosen};
    for (const QString &id : ids) {
        if (id != chosen)
            order.append(id);
    }
    return order;
}

QString CategoryColumnModel::hiddenCategoryNotice(const QString &name)
{
    return u"\u201C"_s + name + u"\u201D hidden. Show it again in Settings \u203A Categories."_s;
}

QString CategoryColumnModel::hiddenLanguageNotice(const QString &key)
{
    return CategoryLanguage::displayName(key) + u" categories hidden"_s;
}

QString CategoryColumnModel::hideLanguageTitle(const QString &key)
{
    return u"Hide all "_s + CategoryLanguage::displayName(key);
}

QString CategoryColumnModel::languageItemTitle(const QString &key, int count)
{
    return CategoryLanguage::displayName(key) + u"  ("_s + QString::number(count) + u')';
}

CategoryColumnModel::CategoryColumnModel(QObject *parent)
    : ViewModel(parent)
{
}

void CategoryColumnModel::setModel(BrowseModel *model)
{
    if (m_model == model)
        return;
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (m_model) {
        connect(m_model, &BrowseModel::categoryViewsChanged, this, &CategoryColumnModel::refreshRows);
        connect(m_model, &BrowseModel::scopeChanged, this, &CategoryColumnModel::refreshRows);
    }
    refreshRows();
    Q_EMIT modelChanged();
}

void CategoryColumnModel::refreshRows()
{
    if (!m_model) {
        m_rows.setRows({}, QString());
    } else {
        const BrowseScope &scope = m_model->scope();
        m_rows.setRows(m_model->visibleCategories(),
                       scope.type() == BrowseScope::Type::Category ? scope.categoryID() : QString());
    }
    Q_EMIT viewsChanged();
}

QString CategoryColumnModel::allTitle() const
{
    return m_model ? m_model->categoryName(BrowseScope::all()) : QString();
}

QString CategoryColumnModel::allCount() const
{
    return m_model ? NumberText::grouped(m_model->totalVisibleCount()) : QString();
}

bool CategoryColumnModel::isAllSelected() const
{
    return m_model && m_model->scope() == BrowseScope::all();
}

bool CategoryColumnModel::areFavouritesSelected() const
{
    return m_model && m_model->scope() == BrowseScope::favourites();
}

QString CategoryColumnModel::message() const
{
    if (!m_model)
        return QString();
    return emptyMessage(!m_model->categories().isEmpty(), m_rows.rowCount() > 0, m_model->categoryFilter());
}

QString CategoryColumnModel::languageTitle() const
{
    if (!m_model || !m_model->languageFilter())
        return u"All languages"_s;
    return CategoryLanguage::displayName(*m_model->languageFilter());
}

bool CategoryColumnModel::allLanguages() const
{
    return !m_model || !m_model->languageFilter();
}

QVariantList CategoryColumnModel::languages() const
{
    QVariantList items;
    if (!m_model)
        return items;
    for (const BrowseModel::LanguageCount &language : m_model->languages()) {
        items.append(QVariantMap{
            {u"key"_s, language.key},
            {u"title"_s, languageItemTitle(language.key, language.count)},
            {u"checked"_s, m_model->languageFilter() == language.key},
        });
    }
    return items;
}

void CategoryColumnModel::chooseAll()
{
    if (m_model)
        m_model->setScope(BrowseScope::all());
}

void CategoryColumnModel::chooseFavourites()
{
    if (m_model)
        m_model->setScope(BrowseScope::favourites());
}

void CategoryColumnModel::chooseCategory(int row)
{
    if (const std::optional<BrowseCategory> category = categoryAt(row); category && m_model)
        m_model->setScope(BrowseScope::category(category->providerID));
}

void CategoryColumnModel::chooseLanguage(const QString &key)
{
    if (m_model)
        m_model->setLanguageFilter(key.isEmpty() ? std::nullopt : std::optional(key));
}

void CategoryColumnModel::openLanguageSettings()
{
    if (!app())
        return;
    app()->setRoute(Route::Settings);
    app()->setRequestedSettingsSection(categoriesSection.toString());
}

std::optional<BrowseCategory> CategoryColumnModel::categoryAt(int row) const
{
    if (row < 0 || row >= m_rows.rowCount())
        return std::nullopt;
    return m_rows.categories().at(row);
}

void CategoryColumnModel::openMenuFor(int row)
{
    m_menuCategory = categoryAt(row);
    Q_EMIT menuCategoryChanged();
}

QString CategoryColumnModel::menuLanguageTitle() const
{
    return m_menuCategory ? hideLanguageTitle(m_menuCategory->language) : QString();
}

void CategoryColumnModel::moveToTop()
{
    if (!m_menuCategory || !m_model)
        return;
    QStringList ids;
    for (const BrowseCategory &listed : m_model->categories())
        ids.append(listed.providerID);
    saveOrder(app(), m_model->kind(), movedToTop(ids, m_menuCategory->providerID));
}

void CategoryColumnModel::hideCategory()
{
    if (m_menuCategory)
        hide(app(), *m_menuCategory, false);
}

void CategoryColumnModel::hideLanguage()
{
    if (m_menuCategory)
        hide(app(), *m_menuCategory, true);
}

QCoro::Task<void> CategoryColumnModel::saveOrder(QPointer<AppModel> app, CatalogueKind kind, QStringList ids)
{
    if (app)
        co_await app->store()->saveCategoryOrder(kind, ids);
}

QCoro::Task<void> CategoryColumnModel::hide(QPointer<AppModel> app, BrowseCategory category, bool wholeLanguage)
{
    if (!app)
        co_return;
    CatalogueStore *store = app->store();
    // The store says whether the database changed; a failed write has set its error sentence,
    // which is then the only notice.
    bool hidden = false;
    if (wholeLanguage)
        hidden = co_await store->setLanguageHidden(category.language, true);
    else
        hidden = co_await store->setCategoryHidden(category, true);
    if (!hidden || !app)
        co_return;
    app->toast(wholeLanguage ? hiddenLanguageNotice(category.language) : hiddenCategoryNotice(category.name),
               ToastKind::Info);
}

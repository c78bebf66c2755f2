#pragma once

#include "App/BrowseModel.h"
#include "CategoryRowListModel.h"
#include "ViewModel.h"

#include <QCoroTask>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// The C++ half of the category column (`CategoryColumn`) of a browse page: the rows it lists
// for the page's browse model, the language menu, the message under an empty list, and the
// actions of its menus. It keeps no data of its own: choices go to the browse model, library
// changes to the catalogue store, whose category-order revision then reloads the browse model.
class CategoryColumnModel : public ViewModel
{
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(BrowseModel *model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(CategoryRowListModel *rows READ rows CONSTANT)
    Q_PROPERTY(QString allTitle READ allTitle NOTIFY viewsChanged)
    Q_PROPERTY(QString allCount READ allCount NOTIFY viewsChanged)
    Q_PROPERTY(bool allSelected READ isAllSelected NOTIFY viewsChanged)
    Q_PROPERTY(bool favouritesSelected READ areFavouritesSelected NOTIFY viewsChanged)
    // The chosen category's row, -1 when none is shown.
    Q_PROPERTY(int selectedRow READ selectedRow NOTIFY viewsChanged)
    Q_PROPERTY(QString message READ message NOTIFY viewsChanged)
    Q_PROPERTY(QString languageTitle READ languageTitle NOTIFY viewsChanged)
    Q_PROPERTY(bool allLanguages READ allLanguages NOTIFY viewsChanged)
    // The language menu's items: key, title ("French  (3)") and whether it is the filter.
    Q_PROPERTY(QVariantList languages READ languages NOTIFY viewsChanged)
    // The third entry of the category menu, titled after the language of its category.
    Q_PROPERTY(QString menuLanguageTitle READ menuLanguageTitle NOTIFY menuCategoryChanged)

public:
    // The settings section that holds languages and category order.
    static constexpr QStringView categoriesSection = u"Categories";

    // What the list says when it shows no category: nothing while the model has none at all;
    // otherwise "No categories match" while a filter text is typed, else "All categories are
    // hidden".
    [[nodiscard]] static QString emptyMessage(bool hasCategories, bool showsAny, const QString &filter);
    // The saved order after "Move to top": the chosen id first, every other id after it in the
    // order given.
    [[nodiscard]] static QStringList movedToTop(const QStringList &ids, const QString &chosen);
    [[nodiscard]] static QString hiddenCategoryNotice(const QString &name);
    [[nodiscard]] static QString hiddenLanguageNotice(const QString &key);
    [[nodiscard]] static QString hideLanguageTitle(const QString &key);
    [[nodiscard]] static QString languageItemTitle(const QString &key, int count);

    explicit CategoryColumnModel(QObject *parent = nullptr);

    [[nodiscard]] BrowseModel *model() const { return m_model; }
    void setModel(BrowseModel *model);
    [[nodiscard]] CategoryRowListModel *rows() { return &m_rows; }

    [[nodiscard]] QString allTitle() const;
    [[nodiscard]] QString allCount() const;
    [[nodiscard]] bool isAllSelected() const;
    [[nodiscard]] bool areFavouritesSelected() const;
    [[nodiscard]] int selectedRow() const { return m_rows.selectedRow(); }
    [[nodiscard]] QString message() const;
    [[nodiscard]] QString languageTitle() const;
    [[nodiscard]] bool allLanguages() const;
    [[nodiscard]] QVariantList languages() const;

    Q_INVOKABLE void chooseAll();
    Q_INVOKABLE void chooseFavourites();
    Q_INVOKABLE void chooseCategory(int row);
    // An empty key lists every language.
    Q_INVOKABLE void chooseLanguage(const QString &key);
    // Opens the settings page on its categories section.
    Q_INVOKABLE void openLanguageSettings();

    // The category menu keeps the category of the row it opens for, so that its entries act on
    // that category even when the rows are read again while it is open.
    Q_INVOKABLE void openMenuFor(int row);
    [[nodiscard]] QString menuLanguageTitle() const;
    Q_INVOKABLE void moveToTop();
    Q_INVOKABLE void hideCategory();
    Q_INVOKABLE void hideLanguage();

Q_SIGNALS:
    void modelChanged();
    void viewsChanged();
    void menuCategoryChanged();

private:
    void refreshRows();
    [[nodiscard]] std::optional<BrowseCategory> categoryAt(int row) const;
    static QCoro::Task<void> saveOrder(QPointer<AppModel> app, CatalogueKind kind, QStringList ids);
    static QCoro::Task<void> hide(QPointer<AppModel> app, BrowseCategory category, bool wholeLanguage);

    QPointer<BrowseModel> m_model;
    CategoryRowListModel m_rows;
    std::optional<BrowseCategory> m_menuCategory;
};

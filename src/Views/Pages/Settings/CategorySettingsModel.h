#pragma once

#include "CategoryRowModel.h"

#include "Catalogue/CatalogueModels.h"
#include "Views/Kit/ViewModel.h"

#include <QCoroTask>
#include <QSet>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <functional>

class AppModel;
class CatalogueStore;

// The "Categories" section: for the active playlist and one kind at a time, the order of the
// provider's categories and which are hidden, and for the whole library the hidden languages.
// It reads both lists through the store's page reader and writes through the store, reading
// the lists again after every write.
class CategorySettingsModel : public ViewModel
{
    Q_OBJECT
    // "live", "movie" or "series".
    Q_PROPERTY(QString kind READ kind WRITE setKind NOTIFY kindChanged)
    Q_PROPERTY(QString listTitle READ listTitle NOTIFY kindChanged)
    Q_PROPERTY(QString filter READ filter WRITE setFilter NOTIFY filterChanged)
    // The move buttons work only on the unfiltered list (any text, spaces too, turns them off).
    Q_PROPERTY(bool canMove READ canMove NOTIFY filterChanged)
    Q_PROPERTY(bool hasActive READ hasActive NOTIFY activeChanged)
    Q_PROPERTY(CategoryRowModel *rows READ rows CONSTANT)
    // One chip a language: {key, title, hidden}.
    Q_PROPERTY(QVariantList languages READ languages NOTIFY listsChanged)
    Q_PROPERTY(bool loaded READ isLoaded NOTIFY listsChanged)
    QML_ELEMENT

public:
    using ViewModel::ViewModel;


    [[nodiscard]] QString kind() const { return kindText(m_kind); }
    void setKind(const QString &kind);
    // "Live TV categories".
    [[nodiscard]] QString listTitle() const;
    [[nodiscard]] const QString &filter() const { return m_filter; }
    void setFilter(const QString &filter);
    [[nodiscard]] bool canMove() const { return m_filter.isEmpty(); }
    [[nodiscard]] bool hasActive() const;
    [[nodiscard]] CategoryRowModel *rows() { return &m_rows; }
    [[nodiscard]] QVariantList languages() const;
    [[nodiscard]] bool isLoaded() const { return m_loaded; }
    [[nodiscard]] const QList<BrowseCategory> &categories() const { return m_categories; }

    // Rows are positions in the shown (filtered) list.
    Q_INVOKABLE void moveToTop(int row);
    Q_INVOKABLE void moveUp(int row);
    Q_INVOKABLE void moveDown(int row);
    Q_INVOKABLE void toggleCategory(int row);
    Q_INVOKABLE void toggleLanguage(const QString &key);
    Q_INVOKABLE void resetOrder();

Q_SIGNALS:
    void kindChanged();
    void filterChanged();
    void activeChanged();
    void listsChanged();

protected:
    void start(AppModel &app) override;

private:
    using Write = std::function<QCoro::Task<void>(CatalogueStore &)>;

    void reload();
    QCoro::Task<void> load(int generation);
    // Runs the store write, then reads the lists again; not cancelled when the view goes.
    void write(Write body);
    void move(int row, int target);
    void step(int row, int by);
    void showRows();
    [[nodiscard]] std::optional<BrowseCategory> shownAt(int row) const;

    CatalogueKind m_kind = CatalogueKind::Live;
    QString m_filter;
    QList<BrowseCategory> m_categories;
    QSet<QString> m_hiddenLanguages;
    CategoryRowModel m_rows;
    bool m_loaded = false;
    int m_generation = 0;
    QString m_loadKey;
};

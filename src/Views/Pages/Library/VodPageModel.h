#pragma once

#include "Views/Shell/PageModel.h"
#include "Support/KeyedJob.h"

#include <QPointer>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class BrowseModel;

Q_MOC_INCLUDE("App/BrowseModel.h")

// The films or series page over its browse model: the header's title and count line, the poster
// size kept in the user's settings, the grid's columns for the width the page has, and which
// body shows (the grid, an empty panel or an error panel). Loading, paging, sorting and the
// search text belong to the browse model, which outlives the page.
class VodPageModel : public PageModel
{
    Q_OBJECT
    Q_PROPERTY(BrowseModel *browse READ browse WRITE setBrowse NOTIFY browseChanged)
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    Q_PROPERTY(QString countLine READ countLine NOTIFY listChanged)
    Q_PROPERTY(QString searchPrompt READ searchPrompt NOTIFY browseChanged)
    // "grid", "empty" or "error".
    Q_PROPERTY(QString body READ body NOTIFY listChanged)
    Q_PROPERTY(QString panelIcon READ panelIcon NOTIFY listChanged)
    Q_PROPERTY(QString panelTitle READ panelTitle NOTIFY listChanged)
    Q_PROPERTY(QString panelMessage READ panelMessage NOTIFY listChanged)
    // More posters are on their way under a grid that already shows some.
    Q_PROPERTY(bool pagingSpinner READ pagingSpinner NOTIFY listChanged)
    Q_PROPERTY(QString sortLabel READ sortLabel NOTIFY sortChanged)
    // {value, label} for each order and each poster size, in menu order.
    Q_PROPERTY(QVariantList sortOptions READ sortOptions CONSTANT)
    Q_PROPERTY(QVariantList posterSizes READ posterSizes CONSTANT)
    Q_PROPERTY(QString posterSize READ posterSize WRITE setPosterSize NOTIFY layoutChanged)
    // The width of the grid area, measured by the view.
    Q_PROPERTY(double availableWidth READ availableWidth WRITE setAvailableWidth NOTIFY layoutChanged)
    Q_PROPERTY(int columnCount READ columnCount NOTIFY layoutChanged)
    Q_PROPERTY(int cardWidth READ cardWidth NOTIFY layoutChanged)
    QML_ELEMENT

public:
    explicit VodPageModel(QObject *parent = nullptr);
    ~VodPageModel() override;


    [[nodiscard]] BrowseModel *browse() const { return m_browse; }
    // Only the first browse model counts: a page shows one kind.
    void setBrowse(BrowseModel *browse);

    [[nodiscard]] QString title() const;
    [[nodiscard]] QString countLine() const;
    [[nodiscard]] QString searchPrompt() const;
    [[nodiscard]] QString body() const;
    [[nodiscard]] QString panelIcon() const;
    [[nodiscard]] QString panelTitle() const;
    [[nodiscard]] QString panelMessage() const;
    [[nodiscard]] bool pagingSpinner() const;
    [[nodiscard]] QString sortLabel() const;
    [[nodiscard]] static QVariantList sortOptions();
    [[nodiscard]] static QVariantList posterSizes();

    [[nodiscard]] const QString &posterSize() const { return m_posterSize; }
    // Saved at once.
    void setPosterSize(const QString &size);
    [[nodiscard]] double availableWidth() const { return m_availableWidth; }
    void setAvailableWidth(double width);
    [[nodiscard]] int columnCount() const;
    [[nodiscard]] int cardWidth() const;

    // A poster opens its detail page over this page.
    Q_INVOKABLE void openDetail(int row);
    // A poster came into view: the browse model fetches the next page when it is near the end.
    Q_INVOKABLE void posterShown(int row);
    // The grid grew or scrolled to its end, and `lastInView` is the poster in its view's last
    // corner, or -1 where that corner holds none (under the last row). Posters built while a page
    // was on its way asked for nothing more, so that poster counts as shown again; at the end
    // without one there, the last poster does.
    Q_INVOKABLE void gridMoved(int lastInView, bool atEnd);
    // A poster's item menu stored a favourite change of `item` (a MediaItemValue).
    Q_INVOKABLE void favouriteChanged(const QVariant &item, bool saved);

Q_SIGNALS:
    void browseChanged();
    void titleChanged();
    void listChanged();
    void sortChanged();
    void layoutChanged();

protected:
    void start(AppModel &app) override;

private:
    void startWhenReady();
    void refreshIfNeeded();
    static QCoro::Task<void> refresh(QPointer<VodPageModel> self);

    // The application model's, alive for the whole run.
    BrowseModel *m_browse = nullptr;
    bool m_started = false;
    QString m_posterSize;
    double m_availableWidth = 0;
    KeyedJob m_refresh;
};

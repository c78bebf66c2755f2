#pragma once

#include "Views/Shell/PageModel.h"

#include <QString>

// Stands in for a page that is not built yet: it names the page.
class PlaceholderPageModel : public PageModel
{
    Q_OBJECT
    Q_PROPERTY(QString page READ page WRITE setPage NOTIFY pageChanged)
    Q_PROPERTY(QString title READ title NOTIFY pageChanged)
    QML_ELEMENT

public:
    using PageModel::PageModel;

    [[nodiscard]] const QString &page() const { return m_page; }
    void setPage(const QString &page);
    // The route's title, else the page name with a capital.
    [[nodiscard]] QString title() const;

Q_SIGNALS:
    void pageChanged();

protected:
    void start(AppModel &app) override;

private:
    QString m_page;
};

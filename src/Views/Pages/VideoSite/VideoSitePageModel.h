#pragma once

#include "Views/Shell/PageModel.h"
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// The video-site launcher: its search field's text and the addresses it hands to the desktop's
// default browser through QDesktopServices::openUrl. Only http and https addresses are ever
// handed on; a handler registered with QDesktopServices::setUrlHandler for those schemes (as
// tests do) receives them instead of the browser.
class VideoSitePageModel : public PageModel
{
    Q_OBJECT
    Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY queryChanged)
    Q_PROPERTY(bool canSearch READ canSearch NOTIFY queryChanged)
    // {title, icon, address} for each shortcut, in order.
    Q_PROPERTY(QVariantList shortcuts READ shortcuts CONSTANT)
    QML_ELEMENT

public:
    using PageModel::PageModel;

    [[nodiscard]] const QString &query() const { return m_query; }
    void setQuery(const QString &query);
    [[nodiscard]] bool canSearch() const;
    [[nodiscard]] static QVariantList shortcuts();

    // Searches the site for the query; nothing for a query of white space only. The field keeps
    // its text.
    Q_INVOKABLE void openSearch();
    // Opens a shortcut's address; nothing for a text that is no web address.
    Q_INVOKABLE void open(const QString &address);

Q_SIGNALS:
    void queryChanged();

protected:
    // The page has nothing to load.
    void start(AppModel &app) override;

private:
    QString m_query;
};

#pragma once

#include "App/Route.h"
#include "Views/Kit/ViewModel.h"

#include <QString>
#include <QVariantList>

// What the window's menus and the sidebar do to the application model: switch pages, open
// search with its field focused, show or hide the sidebar. It also lists the pages each of them
// shows, with their titles, icons and shortcuts. Each of them builds its own:
// `Navigation { app: AppModel }`.
class Navigation : public ViewModel
{
    Q_OBJECT
    QML_ELEMENT
    // The Go menu's numbered pages: route, title and shortcut ("Ctrl+1" ...).
    Q_PROPERTY(QVariantList mainPages READ mainPages CONSTANT)
    // The sidebar's two groups of rows: route, title and icon.
    Q_PROPERTY(QVariantList upperPages READ upperPages CONSTANT)
    Q_PROPERTY(QVariantList lowerPages READ lowerPages CONSTANT)
    Q_PROPERTY(QString sidebarCommandTitle READ sidebarCommandTitle NOTIFY sidebarCommandTitleChanged)

public:
    using ViewModel::ViewModel;

    [[nodiscard]] QVariantList mainPages() const;
    [[nodiscard]] QVariantList upperPages() const;
    [[nodiscard]] QVariantList lowerPages() const;
    // "Show sidebar" while it is collapsed, else "Hide sidebar".
    [[nodiscard]] QString sidebarCommandTitle() const;

    // Shows a page; the same page again changes nothing (an open detail stays).
    Q_INVOKABLE void show(const QString &route);
    // Shows the search page and asks it to focus its field, even when it is already shown.
    Q_INVOKABLE void search();
    // A sidebar row: its page, and for search the focus request too.
    Q_INVOKABLE void choose(const QString &route);
    Q_INVOKABLE void toggleSidebar();

    // The icon name of a page's sidebar row.
    [[nodiscard]] static QString routeIcon(Route route);

Q_SIGNALS:
    void sidebarCommandTitleChanged();

protected:
    void start(AppModel &app) override;
};

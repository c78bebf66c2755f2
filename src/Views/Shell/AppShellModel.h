#pragma once

#include "App/Route.h"
#include "ToastListModel.h"
#include "Views/Kit/ViewModel.h"

#include <QString>

#include <memory>

class DatabaseErrorToasts;
class SyncToasts;
class WakeNotifier;

// The shell's own work: which page the page area shows, the notices of finished refreshes and
// of database failures with the rows that show every notice, and the refresh of due sources
// when the computer wakes from sleep.
class AppShellModel : public ViewModel
{
    Q_OBJECT
    Q_PROPERTY(QString page READ page NOTIFY pageChanged)
    Q_PROPERTY(ToastListModel *toasts READ toasts CONSTANT)
    QML_ELEMENT

public:
    explicit AppShellModel(QObject *parent = nullptr);
    ~AppShellModel() override;

    // "welcome", or the route's text.
    [[nodiscard]] const QString &page() const { return m_page; }
    [[nodiscard]] ToastListModel *toasts() { return &m_toasts; }

    // While the library is known to hold no playlist, every page but settings is the welcome
    // page; while the store is still opening, the route's own page is built under the start-up
    // placeholder.
    [[nodiscard]] static QString pageFor(Route route, bool hasPlaylists, bool initializing);

Q_SIGNALS:
    void pageChanged();

protected:
    void start(AppModel &app) override;

private:
    void updatePage();

    QString m_page;
    ToastListModel m_toasts;
    std::unique_ptr<SyncToasts> m_syncToasts;
    std::unique_ptr<DatabaseErrorToasts> m_databaseErrorToasts;
    std::unique_ptr<WakeNotifier> m_wake;
};

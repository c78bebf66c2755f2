#pragma once

#include "App/BrowseModel.h"
#include "App/GuideState.h"
#include "App/Route.h"
#include "App/ToastMessage.h"
#include "Catalogue/CatalogueModels.h"

#include <QCoroTask>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>

#include <chrono>
#include <optional>
#include <stop_token>

class CatalogueStore;
class Clock;
class PlaybackWindowController;

Q_MOC_INCLUDE("Store/CatalogueStore.h")

// The application-wide state between the catalogue store and the pages: the page shown, the item
// whose detail page is open, the notices at the edge of the window, the sidebar, the shared search
// text, the three browse models and the guide's state. One instance lives for the whole process;
// the shell, the sidebar, the menus and every page read and change it, and start playback
// through it.
class AppModel final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(CatalogueStore *store READ store CONSTANT)
    Q_PROPERTY(QString route READ routeName WRITE setRouteName NOTIFY routeChanged)
    // The identity of the item whose detail page is open (kind, colon, provider id); empty when
    // none is.
    Q_PROPERTY(QString detailId READ detailId NOTIFY detailChanged)
    Q_PROPERTY(QVariantList toasts READ toastList NOTIFY toastsChanged)
    Q_PROPERTY(bool sidebarCollapsed READ isSidebarCollapsed WRITE setSidebarCollapsed NOTIFY sidebarCollapsedChanged)
    Q_PROPERTY(int searchFocusRequest READ searchFocusRequest WRITE setSearchFocusRequest NOTIFY searchFocusRequestChanged)
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    Q_PROPERTY(QString requestedSettingsSection READ requestedSettingsSection WRITE setRequestedSettingsSection
                   NOTIFY requestedSettingsSectionChanged)
    Q_PROPERTY(BrowseModel *live READ live CONSTANT)
    Q_PROPERTY(BrowseModel *movies READ movies CONSTANT)
    Q_PROPERTY(BrowseModel *series READ series CONSTANT)
    Q_PROPERTY(GuideState *guide READ guide CONSTANT)

public:
    // Opens the start page the user chose ("last" for the page of the previous run). Titles start
    // on `playback` (the process-wide playback window controller in the program).
    AppModel(CatalogueStore &store, PlaybackWindowController &playback, QObject *parent = nullptr);
    // Ends the waits of the notices still shown.
    ~AppModel() override;

    [[nodiscard]] CatalogueStore *store() const { return &m_store; }
    // Where titles play; pages read whether something plays now.
    [[nodiscard]] PlaybackWindowController &playback() const { return m_playback; }

    [[nodiscard]] Route route() const { return m_route; }
    // Every write remembers the page (except search) as the last page; a change of page closes
    // the detail page.
    void setRoute(Route route);
    [[nodiscard]] QString routeName() const { return routeText(m_route); }
    // A text that names no page is ignored.
    void setRouteName(const QString &name);

    [[nodiscard]] const std::optional<MediaItem> &detail() const { return m_detail; }
    void setDetail(const std::optional<MediaItem> &item);
    [[nodiscard]] QString detailId() const { return m_detail ? m_detail->id() : QString(); }

    // Oldest first.
    [[nodiscard]] const QList<ToastMessage> &toasts() const { return m_toasts; }
    // Shows a notice for 3.2 s, or 6 s for an error.
    void toast(const QString &text, ToastKind kind);

    [[nodiscard]] bool isSidebarCollapsed() const { return m_sidebarCollapsed; }
    // Every write is saved.
    void setSidebarCollapsed(bool collapsed);
    // Raised by the window's Search command so that the search page focuses its field.
    [[nodiscard]] int searchFocusRequest() const { return m_searchFocusRequest; }
    void setSearchFocusRequest(int request);
    [[nodiscard]] const QString &searchText() const { return m_searchText; }
    void setSearchText(const QString &text);
    // A settings section another view asks the settings page to open ("Categories"); the page
    // selects it when shown and then clears it. Empty when nothing is asked.
    [[nodiscard]] const QString &requestedSettingsSection() const { return m_requestedSettingsSection; }
    void setRequestedSettingsSection(const QString &section);

    // Starts a channel, film or series item. `channels` are those the player may switch through;
    // `resume` allows a saved position (when the user's setting does too).
    void play(const MediaItem &item, const QList<MediaItem> &channels, bool resume);
    // Starts an episode of `series`; `episodes` give the next one.
    void play(const SeriesEpisode &episode, const MediaItem &series, const QList<SeriesEpisode> &episodes,
              bool resume);
    // Continues a row of the watch history; a series row without an episode opens its page.
    void resume(const LibraryEntry &entry);

    [[nodiscard]] BrowseModel *live() { return &m_live; }
    [[nodiscard]] BrowseModel *movies() { return &m_movies; }
    [[nodiscard]] BrowseModel *series() { return &m_series; }
    // The browse model that lists items of that kind.
    [[nodiscard]] BrowseModel *browse(CatalogueKind kind);
    // Saves the item as a favourite, or no longer, and shows it so in its kind's list. The new
    // state, or nothing when the store changed nothing.
    std::optional<bool> toggleFavourite(const MediaItem &item);
    [[nodiscard]] GuideState *guide() { return &m_guide; }

Q_SIGNALS:
    void routeChanged();
    void detailChanged();
    void toastsChanged();
    void sidebarCollapsedChanged();
    void searchFocusRequestChanged();
    void searchTextChanged();
    void requestedSettingsSectionChanged();

private:
    static QCoro::Task<void> expireToast(QPointer<AppModel> self, Clock &clock, QUuid id,
                                         std::chrono::milliseconds lifetime, std::stop_token stop);
    void removeToast(const QUuid &id);
    static QCoro::Task<void> resumeEpisode(QPointer<AppModel> self, SeriesEpisode episode, MediaItem series);
    [[nodiscard]] QVariantList toastList() const;

    CatalogueStore &m_store;
    PlaybackWindowController &m_playback;
    Route m_route = Route::Home;
    std::optional<MediaItem> m_detail;
    QList<ToastMessage> m_toasts;
    bool m_sidebarCollapsed;
    int m_searchFocusRequest = 0;
    QString m_searchText;
    QString m_requestedSettingsSection;
    BrowseModel m_live;
    BrowseModel m_movies;
    BrowseModel m_series;
    GuideState m_guide;
    std::stop_source m_toastWaits;
};

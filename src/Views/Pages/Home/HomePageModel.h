#pragma once

#include "Views/Shell/PageModel.h"
#include "App/MediaItemListModel.h"
#include "LibraryEntryListModel.h"
#include "Support/KeyedJob.h"

#include <QPointer>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <stop_token>

// The home page's state: the greeting and summary, the four tiles, and the six shelves of the
// active playlist (continue watching, recently watched channels, favourite channels, favourite
// titles, new films, new series). The shelves reload whenever the playlist, the library, the
// catalogue or the category order changes; each shelf fills as soon as its own query answers,
// and a query that fails leaves only its own shelf empty.
class HomePageModel : public PageModel
{
    Q_OBJECT
    Q_PROPERTY(QString greeting READ greeting NOTIFY headerChanged)
    Q_PROPERTY(QString summary READ summary NOTIFY headerChanged)
    // {title, detail, icon, route} for each tile, in order.
    Q_PROPERTY(QVariantList tiles READ tiles NOTIFY headerChanged)
    Q_PROPERTY(LibraryEntryListModel *continueWatching READ continueWatching CONSTANT)
    Q_PROPERTY(MediaItemListModel *recentChannels READ recentChannels CONSTANT)
    Q_PROPERTY(MediaItemListModel *favouriteChannels READ favouriteChannels CONSTANT)
    Q_PROPERTY(MediaItemListModel *favouriteTitles READ favouriteTitles CONSTANT)
    Q_PROPERTY(MediaItemListModel *newMovies READ newMovies CONSTANT)
    Q_PROPERTY(MediaItemListModel *newSeries READ newSeries CONSTANT)
    Q_PROPERTY(bool loaded READ isLoaded NOTIFY loadedChanged)
    Q_PROPERTY(bool showsEmptyHint READ showsEmptyHint NOTIFY showsEmptyHintChanged)
    QML_ELEMENT

public:
    explicit HomePageModel(QObject *parent = nullptr);
    ~HomePageModel() override;


    [[nodiscard]] QString greeting() const;
    [[nodiscard]] QString summary() const;
    [[nodiscard]] QVariantList tiles() const;
    [[nodiscard]] LibraryEntryListModel *continueWatching() { return &m_continueWatching; }
    [[nodiscard]] MediaItemListModel *recentChannels() { return &m_recentChannels; }
    [[nodiscard]] MediaItemListModel *favouriteChannels() { return &m_favouriteChannels; }
    [[nodiscard]] MediaItemListModel *favouriteTitles() { return &m_favouriteTitles; }
    [[nodiscard]] MediaItemListModel *newMovies() { return &m_newMovies; }
    [[nodiscard]] MediaItemListModel *newSeries() { return &m_newSeries; }
    // True once the first load has ended; never false again.
    [[nodiscard]] bool isLoaded() const { return m_loaded; }
    // Nothing watched, no favourite channel and no new film: the page explains how it fills up.
    [[nodiscard]] bool showsEmptyHint() const;
    // "<playlist>|<library revision>|<catalogue revision>|<category-order revision>".
    [[nodiscard]] QString taskKey() const;

    // Continues an entry of Continue watching, named by its id (the row's `entryID`), which
    // stays right while the shelf is read again under an open menu.
    Q_INVOKABLE void resume(const QString &entryID);
    // Forgets an entry of Continue watching (the episode's history for an episode).
    Q_INVOKABLE void removeFromContinueWatching(const QString &entryID);
    // Plays a channel of a channel shelf, which becomes the list to switch through.
    Q_INVOKABLE void playChannel(MediaItemListModel *shelf, int row);
    // A poster: a channel plays, a film or series opens its detail page.
    Q_INVOKABLE void openPoster(MediaItemListModel *shelf, int row);
    // Forgets every watched channel, then says so.
    Q_INVOKABLE void clearRecentlyWatched();
    // Shows the search page with its field focused.
    Q_INVOKABLE void openSearch();

Q_SIGNALS:
    void headerChanged();
    void loadedChanged();
    void showsEmptyHintChanged();

protected:
    void start(AppModel &app) override;

private:
    void reloadIfNeeded();
    [[nodiscard]] const LibraryEntry *continued(const QString &entryID) const;
    static QCoro::Task<void> load(QPointer<HomePageModel> self, std::stop_token stop);
    static QCoro::Task<void> clearChannels(QPointer<AppModel> app);
    void setLoaded();

    LibraryEntryListModel m_continueWatching;
    MediaItemListModel m_recentChannels;
    MediaItemListModel m_favouriteChannels;
    MediaItemListModel m_favouriteTitles;
    MediaItemListModel m_newMovies;
    MediaItemListModel m_newSeries;
    bool m_loaded = false;
    bool m_showsEmptyHint = false;
    KeyedJob m_load;
};

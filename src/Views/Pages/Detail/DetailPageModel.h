#pragma once

#include "Views/Shell/PageModel.h"
#include "Catalogue/CatalogueModels.h"
#include "EpisodeChoice.h"
#include "EpisodeListModel.h"
#include "Support/Job.h"
#include "Support/KeyedJob.h"

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <optional>
#include <stop_token>

// The detail page of the film or series the application model holds as its detail item. A page
// is made for one item and never changes it. It reads whether the item is on the user's list and,
// for a film, where playback stopped, again after every library write; a series loads its
// episode list once (and again on Refresh) and the saved positions of its episodes after every
// library write, and offers the episode to continue with.
class DetailPageModel : public PageModel
{
    Q_OBJECT
    Q_PROPERTY(bool isSeries READ isSeries NOTIFY itemChanged)
    // "Movie" or "Series".
    Q_PROPERTY(QString kindLabel READ kindLabel NOTIFY itemChanged)
    Q_PROPERTY(QString title READ title NOTIFY itemChanged)
    Q_PROPERTY(QString plot READ plot NOTIFY itemChanged)
    Q_PROPERTY(QUrl artworkURL READ artworkURL NOTIFY itemChanged)
    // The meta row; each part is empty when it is not shown.
    Q_PROPERTY(QString ratingText READ ratingText NOTIFY itemChanged)
    Q_PROPERTY(QString yearText READ yearText NOTIFY itemChanged)
    Q_PROPERTY(QString genreText READ genreText NOTIFY itemChanged)
    Q_PROPERTY(QString formatBadge READ formatBadge NOTIFY itemChanged)
    Q_PROPERTY(QString countsText READ countsText NOTIFY episodesChanged)
    // The action row: "In My list" or "My list", with a check mark or a plus.
    Q_PROPERTY(QString myListTitle READ myListTitle NOTIFY favouriteChanged)
    Q_PROPERTY(QString myListSymbol READ myListSymbol NOTIFY favouriteChanged)
    // A film with a saved position: Resume and Start over take the place of Play.
    Q_PROPERTY(bool resumes READ resumes NOTIFY resumeAtChanged)
    Q_PROPERTY(QString resumeTitle READ resumeTitle NOTIFY resumeAtChanged)
    // "Continue S1 E3" or "Play S1 E3"; empty while the series has no episode to offer.
    Q_PROPERTY(QString nextEpisodeTitle READ nextEpisodeTitle NOTIFY episodesChanged)
    // The episodes section.
    Q_PROPERTY(bool loadingEpisodes READ isLoadingEpisodes NOTIFY loadingEpisodesChanged)
    // The one line shown instead of an empty list: the load's error, or that there are none.
    Q_PROPERTY(QString episodesMessage READ episodesMessage NOTIFY episodesChanged)
    Q_PROPERTY(bool episodesMessageIsError READ episodesMessageIsError NOTIFY episodesChanged)
    // {number, title, selected} per season, only when there are two or more.
    Q_PROPERTY(QVariantList seasonChips READ seasonChips NOTIFY episodesChanged)
    Q_PROPERTY(EpisodeListModel *episodes READ episodeRows CONSTANT)
    QML_ELEMENT

public:
    explicit DetailPageModel(QObject *parent = nullptr);
    ~DetailPageModel() override;


    [[nodiscard]] const std::optional<MediaItem> &item() const { return m_item; }
    [[nodiscard]] bool isSeries() const;
    [[nodiscard]] QString kindLabel() const;
    [[nodiscard]] QString title() const;
    [[nodiscard]] QString plot() const;
    [[nodiscard]] QUrl artworkURL() const;
    [[nodiscard]] QString ratingText() const;
    [[nodiscard]] QString yearText() const;
    [[nodiscard]] QString genreText() const;
    [[nodiscard]] QString formatBadge() const;
    [[nodiscard]] QString countsText() const;
    [[nodiscard]] bool isFavourite() const { return m_favourite; }
    [[nodiscard]] QString myListTitle() const;
    [[nodiscard]] QString myListSymbol() const;
    [[nodiscard]] double resumeAt() const { return m_resumeAt; }
    [[nodiscard]] bool resumes() const;
    [[nodiscard]] QString resumeTitle() const;
    [[nodiscard]] QString nextEpisodeTitle() const;
    [[nodiscard]] bool isLoadingEpisodes() const { return m_loadingEpisodes; }
    [[nodiscard]] QString episodesMessage() const;
    [[nodiscard]] bool episodesMessageIsError() const;
    [[nodiscard]] QVariantList seasonChips() const;
    [[nodiscard]] EpisodeListModel *episodeRows() { return &m_rows; }

    [[nodiscard]] const QList<SeriesEpisode> &episodeList() const { return m_episodes; }
    [[nodiscard]] const EpisodeChoice::ProgressMap &progress() const { return m_progress; }
    [[nodiscard]] std::optional<int> currentSeason() const;

    // Closes the page.
    Q_INVOKABLE void back();
    // A film from its saved position (when resuming is allowed) or from the start.
    Q_INVOKABLE void play(bool resume);
    Q_INVOKABLE void playNextEpisode();
    Q_INVOKABLE void toggleFavourite();
    // Asks the provider for the episode list again; ignored while a load runs.
    Q_INVOKABLE void refreshEpisodes();
    Q_INVOKABLE void chooseSeason(int season);
    // An episode row of the shown season.
    Q_INVOKABLE void playEpisode(int row, bool resume);
    Q_INVOKABLE void markUnwatched(int row);

Q_SIGNALS:
    void itemChanged();
    void favouriteChanged();
    void resumeAtChanged();
    void loadingEpisodesChanged();
    // The list, its progress, the chosen season or the load's error changed.
    void episodesChanged();

protected:
    void start(AppModel &app) override;

private:
    void readLibraryState();
    void loadEpisodes(bool force);
    static QCoro::Task<void> runEpisodeLoad(QPointer<DetailPageModel> self, bool force, std::stop_token stop);
    void reloadProgressIfNeeded();
    static QCoro::Task<void> loadProgress(QPointer<DetailPageModel> self, std::stop_token stop);
    void setLoadingEpisodes(bool loading);
    // Rebuilds the rows of the shown season and tells the view that derived values moved.
    void episodesUpdated();
    [[nodiscard]] const SeriesEpisode *episodeAt(int row) const;

    std::optional<MediaItem> m_item;
    bool m_favourite = false;
    double m_resumeAt = 0;
    QList<SeriesEpisode> m_episodes;
    std::optional<int> m_season;
    bool m_loadingEpisodes = false;
    std::optional<QString> m_episodeError;
    EpisodeChoice::ProgressMap m_progress;
    EpisodeListModel m_rows;
    Job<> m_episodeLoad;
    KeyedJob m_progressLoad;
};

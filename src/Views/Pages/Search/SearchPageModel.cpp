#include "SearchPageModel.h"

#include "App/AppModel.h"
#include "Catalogue/CataloguePageReader.h"
#include "Playback/PlaybackWindowController.h"
#include "RecentSearches.h"
#include "Store/CatalogueStore.h"
#include "Support/AssignIfChanged.h"
#include "Support/Clock.h"
#include "Support/Settled.h"
#include "Support/UserSettings.h"

#include <chrono>
#include <utility>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QString recentSearchesKey = u"quillmere.recentSearches"_s;
// Typing searches once it pauses this long.
constexpr auto typingPause = 200ms;

QCoro::Task<QList<MediaItem>> find(CataloguePageReader &reader, std::optional<qint64> playlistID, CatalogueKind kind,
                                   QString term, BrowseSort sort)
{
    // Scope "all" leaves out what the user hid.
    return reader.browseItems(playlistID, kind, BrowseScope::all(), term, sort, SearchPageModel::resultLimit, 0);
}

QList<MediaItem> foundOrNone(const Settled<QList<MediaItem>> &result)
{
    return result.value.value_or(QList<MediaItem>());
}

} // namespace

SearchPageModel::SearchPageModel(QObject *parent)
    : PageModel(parent)
{
}

SearchPageModel::~SearchPageModel() = default;

void SearchPageModel::start(AppModel &app)
{
    connect(&app, &AppModel::searchTextChanged, this, [this] {
        Q_EMIT textChanged();
        updateTerm();
    });
    connect(&app, &AppModel::searchFocusRequestChanged, this, &SearchPageModel::requestFocus);
    connect(&app.playback(), &PlaybackWindowController::targetChanged, this, [this] {
        if (std::exchange(m_focusWanted, false))
            requestFocus();
    });
    CatalogueStore *store = app.store();
    for (const auto signal : {&CatalogueStore::selectedPlaylistIDChanged, &CatalogueStore::playlistsChanged,
                              &CatalogueStore::categoryOrderRevisionChanged})
        connect(store, signal, this, &SearchPageModel::searchIfNeeded);
    Q_EMIT textChanged();
    updateTerm();
    searchIfNeeded();
    requestFocus();
}

void SearchPageModel::requestFocus()
{
    // The player holds the keys while it shows.
    if (app()->playback().hasTarget())
        m_focusWanted = true;
    else
        Q_EMIT focusRequested();
}

void SearchPageModel::updateTerm()
{
    if (assignIfChanged(m_term, RecentSearches::term(app()->searchText()))) {
        Q_EMIT termChanged();
        Q_EMIT resultsChanged();
    }
    searchIfNeeded();
}

QString SearchPageModel::taskKey() const
{
    const CatalogueStore &store = *app()->store();
    return m_term + u'|' + QString::number(store.activePlaylistID().value_or(0)) + u'|'
        + QString::number(store.categoryOrderRevision());
}

void SearchPageModel::searchIfNeeded()
{
    m_search.run(taskKey(), this, [term = m_term](SearchPageModel &self, std::stop_token stop) {
        return search(QPointer(&self), term, std::move(stop));
    });
}

QCoro::Task<void> SearchPageModel::search(QPointer<SearchPageModel> self, QString term, std::stop_token stop)
{
    if (term.size() < 2) {
        self->m_channels.setItems({});
        self->m_movies.setItems({});
        self->m_series.setItems({});
        self->m_searched.clear();
        self->setSearching(false);
        Q_EMIT self->resultsChanged();
        self->setReady();
        co_return;
    }
    CatalogueStore &store = *self->app()->store();
    // A newer key ends the wait early; the check below then drops this search.
    (void)co_await store.clock().sleep(typingPause, stop);
    if (!self || stop.stop_requested())
        co_return;
    self->setSearching(true);
    CataloguePageReader &reader = store.pageReader();
    const std::optional<qint64> playlistID = store.activePlaylistID();
    auto channels = settle(find(reader, playlistID, CatalogueKind::Live, term, BrowseSort::Provider));
    auto movies = settle(find(reader, playlistID, CatalogueKind::Movie, term, BrowseSort::Added));
    auto series = settle(find(reader, playlistID, CatalogueKind::Series, term, BrowseSort::Added));
    const Settled<QList<MediaItem>> foundChannels = co_await std::move(channels);
    const Settled<QList<MediaItem>> foundMovies = co_await std::move(movies);
    const Settled<QList<MediaItem>> foundSeries = co_await std::move(series);
    if (!self || stop.stop_requested())
        co_return;
    // A failed query empties only its own shelf.
    self->m_channels.setItems(foundOrNone(foundChannels));
    self->m_movies.setItems(foundOrNone(foundMovies));
    self->m_series.setItems(foundOrNone(foundSeries));
    self->m_searched = term;
    self->setSearching(false);
    Q_EMIT self->resultsChanged();
    self->setReady();
}

void SearchPageModel::setSearching(bool searching)
{
    if (assignIfChanged(m_searching, searching)) {
        Q_EMIT searchingChanged();
        Q_EMIT resultsChanged();
    }
}

bool SearchPageModel::isClearVisible() const
{
    return app() && !app()->searchText().isEmpty();
}

bool SearchPageModel::showsSuggestions() const
{
    return m_term.size() < 2;
}

bool SearchPageModel::showsNoResults() const
{
    return !showsSuggestions() && !m_searching && m_channels.rowCount() == 0 && m_movies.rowCount() == 0
        && m_series.rowCount() == 0 && m_searched == m_term;
}

QString SearchPageModel::noResultsTitle() const
{
    return u"No results for \u201C"_s + m_term + u"\u201D"_s;
}

QString SearchPageModel::shelfSubtitle(int count)
{
    return QString::number(count) + (count == resultLimit ? u"+"_s : QString());
}

QStringList SearchPageModel::recent() const
{
    return RecentSearches::parse(UserSettings::text(recentSearchesKey).value_or(QString()));
}

void SearchPageModel::remember()
{
    const QStringList before = recent();
    const QStringList after = RecentSearches::remember(before, m_term);
    if (after == before)
        return;
    UserSettings::setValue(recentSearchesKey, RecentSearches::join(after));
    Q_EMIT recentChanged();
}

void SearchPageModel::submit()
{
    remember();
}

void SearchPageModel::chooseRecent(const QString &term)
{
    app()->setSearchText(term);
}

void SearchPageModel::clearRecent()
{
    UserSettings::setValue(recentSearchesKey, QString());
    Q_EMIT recentChanged();
}

void SearchPageModel::clearText()
{
    app()->setSearchText(QString());
}

void SearchPageModel::playChannel(int row)
{
    if (row < 0 || row >= m_channels.rowCount())
        return;
    remember();
    app()->play(m_channels.items().at(row), m_channels.items(), true);
}

void SearchPageModel::openTitle(MediaItemListModel *shelf, int row)
{
    if (!shelf || row < 0 || row >= shelf->rowCount())
        return;
    remember();
    app()->setDetail(shelf->items().at(row));
}

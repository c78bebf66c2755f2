// The detail page's item: its texts, whether it is on the user's list, where a film stopped, and
// the actions of its action row.
#include "DetailPageModel.h"

#include "App/AppModel.h"
#include "DetailText.h"
#include "Store/CatalogueStore.h"
#include "Support/AssignIfChanged.h"
#include "Support/NumberText.h"
#include "Support/TitleText.h"

using namespace Qt::StringLiterals;

DetailPageModel::DetailPageModel(QObject *parent)
    : PageModel(parent)
    , m_rows(this)
{
}

DetailPageModel::~DetailPageModel()
{
    m_episodeLoad.cancel();
}

void DetailPageModel::start(AppModel &app)
{
    m_item = app.detail();
    if (!m_item) {
        setReady();
        return;
    }
    Q_EMIT itemChanged();
    connect(app.store(), &CatalogueStore::libraryRevisionChanged, this, [this] {
        readLibraryState();
        reloadProgressIfNeeded();
    });
    readLibraryState();
    if (isSeries())
        loadEpisodes(false);
    else
        setReady();
}

bool DetailPageModel::isSeries() const
{
    return m_item && m_item->kind != CatalogueKind::Movie;
}

QString DetailPageModel::kindLabel() const
{
    return isSeries() ? u"Series"_s : u"Movie"_s;
}

QString DetailPageModel::title() const
{
    return m_item ? m_item->title : QString();
}

QString DetailPageModel::plot() const
{
    return m_item ? m_item->plot.value_or(QString()) : QString();
}

QUrl DetailPageModel::artworkURL() const
{
    return m_item ? m_item->artworkURL.value_or(QUrl()) : QUrl();
}

QString DetailPageModel::ratingText() const
{
    return m_item ? NumberText::rating(m_item->rating) : QString();
}

QString DetailPageModel::yearText() const
{
    return m_item ? TitleText::year(m_item->title).value_or(QString()) : QString();
}

QString DetailPageModel::genreText() const
{
    return m_item ? m_item->genre.value_or(QString()) : QString();
}

QString DetailPageModel::formatBadge() const
{
    if (!m_item || isSeries() || !m_item->containerExtension)
        return QString();
    return m_item->containerExtension->toUpper();
}

QString DetailPageModel::countsText() const
{
    if (!isSeries() || m_episodes.isEmpty())
        return QString();
    return DetailText::counts(EpisodeChoice::seasons(m_episodes).size(), m_episodes.size());
}

QString DetailPageModel::myListTitle() const
{
    return m_favourite ? u"In My list"_s : u"My list"_s;
}

QString DetailPageModel::myListSymbol() const
{
    return m_favourite ? u"checkmark"_s : u"plus"_s;
}

bool DetailPageModel::resumes() const
{
    return !isSeries() && m_resumeAt > 0;
}

QString DetailPageModel::resumeTitle() const
{
    return DetailText::resumeTitle(m_resumeAt);
}

QString DetailPageModel::nextEpisodeTitle() const
{
    const std::optional<qsizetype> next = EpisodeChoice::nextEpisode(m_episodes, m_progress);
    if (!isSeries() || !next)
        return QString();
    const SeriesEpisode &episode = m_episodes.at(*next);
    return DetailText::nextEpisodeTitle(episode, m_progress.contains(episode.providerID));
}

void DetailPageModel::readLibraryState()
{
    CatalogueStore &store = *app()->store();
    CatalogueItem compact = CatalogueItem::from(*m_item);
    if (assignIfChanged(m_favourite, store.isFavourite(compact, m_item->kind, std::nullopt)))
        Q_EMIT favouriteChanged();
    const double resumeAt = isSeries() ? 0 : store.resumePosition(m_item->providerID, CatalogueKind::Movie);
    if (assignIfChanged(m_resumeAt, resumeAt))
        Q_EMIT resumeAtChanged();
}

void DetailPageModel::back()
{
    if (app())
        app()->setDetail(std::nullopt);
}

void DetailPageModel::play(bool resume)
{
    if (m_item)
        app()->play(*m_item, {}, resume);
}

void DetailPageModel::toggleFavourite()
{
    if (!m_item)
        return;
    const std::optional<bool> saved = app()->toggleFavourite(*m_item);
    if (!saved)
        return;
    if (assignIfChanged(m_favourite, *saved))
        Q_EMIT favouriteChanged();
    app()->toast(*saved ? u"Added to My list"_s : u"Removed from My list"_s, ToastKind::Success);
}

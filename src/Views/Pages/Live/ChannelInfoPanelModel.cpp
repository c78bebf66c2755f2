#include "ChannelInfoPanelModel.h"

#include "App/AppModel.h"
#include "App/BrowseModel.h"
#include "Catalogue/CataloguePageReader.h"
#include "ChannelSchedule.h"
#include "LiveChannelPlayback.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"
#include "Support/NumberText.h"
#include "Support/ProgrammeTime.h"
#include "Support/TimeText.h"
#include "Support/TitleText.h"
#include "Views/Kit/ItemMenuModel.h"

using namespace Qt::StringLiterals;

ChannelInfoPanelModel::~ChannelInfoPanelModel()
{
    m_load.cancel();
}

void ChannelInfoPanelModel::start(AppModel &app)
{
    if (!app.live()->selected())
        return;
    m_item = *app.live()->selected();
    Q_EMIT itemChanged();
    m_load = Job<void>::start([self = QPointer(this)](std::stop_token stop) { return loadSchedule(self, stop); });
}

void ChannelInfoPanelModel::setTick(const QDateTime &tick)
{
    if (tick == m_tick)
        return;
    m_tick = tick;
    Q_EMIT tickChanged();
    if (app()) {
        updateNowAndNext();
        Q_EMIT scheduleChanged();
    }
}

QString ChannelInfoPanelModel::title() const
{
    return TitleText::isolated(m_item.title);
}

QString ChannelInfoPanelModel::numberText() const
{
    return NumberText::channel(m_item.number);
}

QString ChannelInfoPanelModel::favouriteTip() const
{
    return ItemMenuModel::favouriteEntry(m_favourite).title;
}

QString ChannelInfoPanelModel::currentTitle() const
{
    return m_current ? TitleText::isolated(m_current->title) : QString();
}

QString ChannelInfoPanelModel::currentRange() const
{
    return m_current ? TimeText::range(m_current->start, m_current->end) : QString();
}

QString ChannelInfoPanelModel::currentRemaining() const
{
    return m_current ? TimeText::remaining(m_current->end, m_currentAt) : QString();
}

double ChannelInfoPanelModel::currentProgress() const
{
    return m_current ? ProgrammeTime::progress(m_current->start, m_current->end, m_currentAt) : 0;
}

QString ChannelInfoPanelModel::currentDescription() const
{
    return m_current ? m_current->description.value_or(QString()) : QString();
}

void ChannelInfoPanelModel::close()
{
    if (app())
        app()->live()->setSelected(std::nullopt);
}

void ChannelInfoPanelModel::watch()
{
    if (app() && !m_item.providerID.isEmpty())
        LiveChannelPlayback::play(*app(), m_item);
}

void ChannelInfoPanelModel::toggleFavourite()
{
    if (!app() || m_item.providerID.isEmpty())
        return;
    if (const std::optional<bool> saved = app()->toggleFavourite(m_item))
        setFavourite(*saved);
}

QCoro::Task<void> ChannelInfoPanelModel::loadSchedule(QPointer<ChannelInfoPanelModel> self, std::stop_token stop)
{
    if (!self)
        co_return;
    self->setFavourite(self->m_item.isFavourite);
    CatalogueStore &store = *self->app()->store();
    const MediaItem item = self->m_item;
    QList<GuideProgramme> schedule;
    if (const std::optional<qint64> playlistID = store.activePlaylistID()) {
        try {
            schedule = co_await store.pageReader().schedule(*playlistID, item.epgKey, store.clock().now(),
                                                            scheduleRows);
        } catch (...) {
            // Treated like an empty guide: the provider is asked next.
        }
        if (!self || stop.stop_requested())
            co_return;
    }
    if (schedule.isEmpty()) {
        const QList<LiveProgramme> shortGuide = co_await store.fetchShortEPG(item.providerID, item.epgChannelID, stop);
        if (!self || stop.stop_requested())
            co_return;
        schedule = ChannelSchedule::fromShortGuide(shortGuide, item.epgKey, store.clock().now());
    }
    self->setSchedule(schedule, false);
}

void ChannelInfoPanelModel::setSchedule(const QList<GuideProgramme> &schedule, bool loading)
{
    m_schedule = schedule;
    m_loading = loading;
    updateNowAndNext();
    Q_EMIT scheduleChanged();
}

void ChannelInfoPanelModel::setFavourite(bool favourite)
{
    if (favourite == m_favourite)
        return;
    m_favourite = favourite;
    Q_EMIT favouriteChanged();
}

void ChannelInfoPanelModel::updateNowAndNext()
{
    m_currentAt = app()->store()->clock().now();
    m_current = ChannelSchedule::current(m_schedule, m_currentAt);
    m_upcoming.clear();
    for (const GuideProgramme &programme : ChannelSchedule::upcoming(m_schedule, m_currentAt, upcomingRows))
        m_upcoming.append(QVariantMap{{u"time"_s, TimeText::time(programme.start)},
                                      {u"title"_s, TitleText::isolated(programme.title)}});
}

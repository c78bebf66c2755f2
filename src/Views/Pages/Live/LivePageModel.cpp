#include "LivePageModel.h"

#include "App/AppModel.h"
#include "App/BrowseModel.h"
#include "App/MediaItemValue.h"
#include "LiveChannelPlayback.h"
#include "LiveListKeys.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"
#include "Support/NumberText.h"
#include "Support/PrefKeys.h"
#include "Support/ProgrammeTime.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

LivePageModel::~LivePageModel()
{
    m_refresh.cancel();
    m_clockTask.cancel();
}

void LivePageModel::start(AppModel &app)
{
    m_showNumbers = Prefs::read(PrefKeys::showChannelNumbers);
    m_clock = app.store()->clock().now();
    BrowseModel *live = app.live();
    for (const auto signal : {&BrowseModel::scopeChanged, &BrowseModel::categoriesChanged})
        connect(live, signal, this, &LivePageModel::titleChanged);
    for (const auto signal : {&BrowseModel::loadingChanged, &BrowseModel::totalChanged})
        connect(live, signal, this, &LivePageModel::countLineChanged);
    for (const auto signal : {&BrowseModel::errorChanged, &BrowseModel::loadingChanged, &BrowseModel::scopeChanged,
                              &BrowseModel::queryChanged})
        connect(live, signal, this, &LivePageModel::listAreaChanged);
    connect(live->itemModel(), &QAbstractItemModel::modelReset, this, [this] {
        Q_EMIT countLineChanged();
        Q_EMIT listAreaChanged();
    });
    connect(live, &BrowseModel::selectedChanged, this, &LivePageModel::selectedChanged);
    connect(live, &BrowseModel::dataKeyChanged, this, &LivePageModel::refreshData);
    connect(live, &BrowseModel::loadingChanged, this, &LivePageModel::markReadyWhenShown);
    // Read before the page had its application model, everything read as nothing; a list that
    // is loaded already changes nothing that would say otherwise.
    Q_EMIT clockChanged();
    Q_EMIT titleChanged();
    Q_EMIT countLineChanged();
    Q_EMIT listAreaChanged();
    Q_EMIT selectedChanged();
    refreshData();
    m_clockTask = Job<void>::start([self = QPointer(this)](std::stop_token stop) { return runClock(self, stop); });
}

BrowseModel *LivePageModel::model() const
{
    return app() ? app()->live() : nullptr;
}

QString LivePageModel::title() const
{
    return model() ? model()->categoryName(model()->scope()) : QString();
}

QString LivePageModel::countLine() const
{
    const BrowseModel *live = model();
    return live ? countLine(live->isLoading(), live->items().isEmpty(), live->total()) : QString();
}

QString LivePageModel::selectedID() const
{
    return model() && model()->selected() ? model()->selected()->id() : QString();
}

QString LivePageModel::countLine(bool loading, bool empty, qint64 total)
{
    if (loading && empty)
        return u"Loading\u2026"_s;
    return NumberText::grouped(total) + (total == 1 ? u" channel"_s : u" channels"_s);
}

std::optional<LivePageModel::Message> LivePageModel::message(const std::optional<QString> &error, bool empty,
                                                             bool loading, const BrowseScope &scope,
                                                             const QString &query)
{
    if (error)
        return Message{u"exclamationmark.triangle"_s, u"Channels unavailable"_s, *error};
    if (!empty || loading)
        return std::nullopt;
    if (scope.type() == BrowseScope::Type::Favourites)
        return Message{u"heart"_s, u"No favourite channels yet"_s,
                       u"Right-click a channel or press F to add it to your favourites."_s};
    // The search text exactly as typed, blanks included.
    if (!query.isEmpty())
        return Message{u"tv"_s, u"No channels match \u201C"_s + query + u"\u201D"_s, QString()};
    return Message{u"tv"_s, u"No channels here"_s, QString()};
}

std::optional<LivePageModel::Message> LivePageModel::message() const
{
    const BrowseModel *live = model();
    if (!live)
        return std::nullopt;
    return message(live->error(), live->items().isEmpty(), live->isLoading(), live->scope(), live->query());
}

bool LivePageModel::handleKey(int key, const QString &text)
{
    switch (LiveListKeys::action(key, text)) {
    case LiveListKeys::Action::None:
        return false;
    case LiveListKeys::Action::MoveUp:
        move(-1);
        break;
    case LiveListKeys::Action::MoveDown:
        move(1);
        break;
    case LiveListKeys::Action::Play:
        if (const std::optional<MediaItem> selected = model()->selected())
            playChannel(*selected);
        break;
    case LiveListKeys::Action::ToggleFavourite:
        toggleFavourite();
        break;
    }
    return true;
}

void LivePageModel::select(int row)
{
    if (const MediaItem *item = itemAt(row))
        model()->setSelected(*item);
}

void LivePageModel::play(int row)
{
    if (const MediaItem *item = itemAt(row))
        playChannel(MediaItem(*item));
}

void LivePageModel::playChannel(const MediaItem &channel)
{
    // The panel opens on the channel being started.
    model()->setSelected(channel);
    LiveChannelPlayback::play(*app(), channel);
}

void LivePageModel::mirrorFavourite(const QVariant &channel, bool saved)
{
    if (channel.canConvert<MediaItemValue>())
        model()->updateFavourite(channel.value<MediaItemValue>().item(), saved);
}

void LivePageModel::rowShown(int row)
{
    if (const MediaItem *item = itemAt(row))
        model()->loadMoreIfNeeded(*item);
}

double LivePageModel::progress(const QDateTime &start, const QDateTime &end) const
{
    return ProgrammeTime::progress(start, end, app()->store()->clock().now());
}

const MediaItem *LivePageModel::itemAt(int row) const
{
    const BrowseModel *live = model();
    if (!live || row < 0 || row >= live->items().size())
        return nullptr;
    return &live->items().at(row);
}

void LivePageModel::move(int step)
{
    BrowseModel &live = *model();
    const int current = live.selected() ? live.itemModel()->indexOf(*live.selected()) : -1;
    const std::optional<int> target = LiveListKeys::moveTarget(int(live.items().size()), current, step);
    if (!target)
        return;
    const MediaItem item = live.items().at(*target);
    live.setSelected(item);
    live.loadMoreIfNeeded(item);
    Q_EMIT scrollToRow(*target);
}

void LivePageModel::toggleFavourite()
{
    if (const std::optional<MediaItem> item = model()->selected())
        app()->toggleFavourite(*item);
}

void LivePageModel::refreshData()
{
    m_refresh.cancel();
    m_refresh = Job<void>::start([self = QPointer(this)](std::stop_token stop) { return runRefresh(self, stop); });
}

QCoro::Task<void> LivePageModel::runRefresh(QPointer<LivePageModel> self, std::stop_token stop)
{
    if (!self)
        co_return;
    co_await self->model()->refreshIfNeeded();
    if (!self || stop.stop_requested())
        co_return;
    self->m_refreshed = true;
    self->markReadyWhenShown();
}

void LivePageModel::markReadyWhenShown()
{
    // The first page may still be on its way from a reload that began before this page.
    if (m_refreshed && !model()->isLoading())
        setReady();
}

QCoro::Task<void> LivePageModel::runClock(QPointer<LivePageModel> self, std::stop_token stop)
{
    while (self && !stop.stop_requested()) {
        Clock &clock = self->app()->store()->clock();
        // A sleep ended by the page leaving still sets the clock once, as a last redraw.
        (void)co_await clock.sleep(30s, stop);
        if (!self)
            co_return;
        self->m_clock = clock.now();
        Q_EMIT self->clockChanged();
    }
}

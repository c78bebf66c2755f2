#include "GuidePageModel.h"

#include "App/AppModel.h"
#include "App/GuideState.h"
#include "GuideGeometry.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"
#include "Support/NumberText.h"
#include "Support/PrefKeys.h"
#include "Support/TimeText.h"

using namespace Qt::StringLiterals;

GuidePageModel::GuidePageModel(QObject *parent)
    : PageModel(parent)
{
    m_offsetAnimation.setEasingCurve(QEasingCurve::InOutQuad);
    connect(&m_offsetAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        if (m_state)
            m_state->setMinuteOffset(value.toDouble());
    });
}

GuidePageModel::~GuidePageModel()
{
    // The load and the clock end with the page.
    m_load.cancel();
    m_clock.cancel();
}

void GuidePageModel::start(AppModel &app)
{
    m_state = app.guide();
    m_fetcher = std::make_unique<GuideProgrammeFetcher>(*m_state, *app.store());
    m_showNumbers = Prefs::read(PrefKeys::showChannelNumbers);
    m_channels.setItems(m_state->channels());
    // The channels loaded on an earlier visit change nothing now that would tell the heading.
    Q_EMIT subtitleChanged();
    Q_EMIT emptyStateChanged();
    m_now = app.store()->clock().now();
    m_dayStart = GuideGeometry::dayStart(m_now, m_state->dayOffset());
    updateDayChips();
    updateCategories();

    connect(m_state, &GuideState::channelsChanged, this, [this] {
        m_channels.setItems(m_state->channels());
        Q_EMIT subtitleChanged();
        Q_EMIT emptyStateChanged();
    });
    connect(m_state, &GuideState::queryChanged, this, &GuidePageModel::emptyStateChanged);
    connect(m_state, &GuideState::scopeChanged, this, &GuidePageModel::updateCategories);
    connect(m_state, &GuideState::dayOffsetChanged, this, &GuidePageModel::updateDay);
    connect(m_state, &GuideState::minuteOffsetChanged, this, &GuidePageModel::updateWindow);
    connect(app.live(), &BrowseModel::categoryViewsChanged, this, &GuidePageModel::updateCategories);
    connect(m_fetcher.get(), &GuideProgrammeFetcher::settled, this, &GuidePageModel::markReadyWhenFilled);

    if (m_state->minuteOffset() == 0 && m_state->dayOffset() == 0)
        jumpToNow(false);
    updateWindow();

    for (const auto signal : {&CatalogueStore::selectedPlaylistIDChanged, &CatalogueStore::playlistsChanged,
                              &CatalogueStore::catalogueRevisionChanged,
                              &CatalogueStore::categoryOrderRevisionChanged})
        connect(app.store(), signal, this, &GuidePageModel::followTaskKey);
    connect(m_state, &GuideState::scopeChanged, this, &GuidePageModel::followTaskKey);
    connect(m_state, &GuideState::queryChanged, this, &GuidePageModel::followTaskKey);
    followTaskKey();
    m_clock = Job<void>::start([self = QPointer(this)](std::stop_token stop) { return runClock(self, stop); });
}

void GuidePageModel::setWidth(double width)
{
    if (width == m_width)
        return;
    m_width = width;
    Q_EMIT widthChanged();
    updateWindow();
}

QDateTime GuidePageModel::dayEnd() const
{
    return GuideGeometry::dayEnd(m_dayStart);
}

double GuidePageModel::visibleMinutes() const
{
    return GuideGeometry::visibleMinutes(m_width);
}

QString GuidePageModel::dayTitle() const
{
    return TimeText::day(m_dayStart, m_now);
}

QString GuidePageModel::subtitle() const
{
    const qsizetype count = m_state ? m_state->channels().size() : 0;
    return dayTitle() + u" \u00B7 "_s + NumberText::grouped(count) + u" channels"_s;
}

bool GuidePageModel::showEmptyState() const
{
    return m_state && m_state->channels().isEmpty() && !isLoading();
}

QString GuidePageModel::emptyTitle() const
{
    if (!m_state || m_state->query().isEmpty())
        return u"No channels here"_s;
    return u"No channels match \u201C"_s + m_state->query() + u"\u201D"_s;
}

QString GuidePageModel::categoryTitle() const
{
    if (!app() || !m_state)
        return QString();
    return app()->live()->categoryName(m_state->scope().value_or(BrowseScope::all()));
}

void GuidePageModel::pickDay(int dayOffset)
{
    m_state->setDayOffset(dayOffset);
    m_state->setCache({});
    if (dayOffset != 0)
        setMinuteOffset(18 * 60);
    else
        jumpToNow(false);
}

void GuidePageModel::goToNow()
{
    m_state->setDayOffset(0);
    jumpToNow(true);
}

void GuidePageModel::scrollBy(double minutes)
{
    animateMinuteOffset(GuideGeometry::scrolled(targetOffset(), minutes, visibleMinutes()), 250);
}

void GuidePageModel::jumpToNow(bool animated)
{
    const double offset = GuideGeometry::nowOffset(app()->store()->clock().now());
    if (animated)
        animateMinuteOffset(offset, 300);
    else
        setMinuteOffset(offset);
}

QStringList GuidePageModel::categoryNames() const
{
    QStringList names;
    for (const BrowseCategory &category : m_categories)
        names.append(category.name);
    return names;
}

void GuidePageModel::showFavourites()
{
    m_state->setScope(BrowseScope::favourites());
}

void GuidePageModel::showAllChannels()
{
    m_state->setScope(BrowseScope::all());
}

void GuidePageModel::showCategory(int index)
{
    if (index >= 0 && index < m_categories.size())
        m_state->setScope(BrowseScope::category(m_categories.at(index).providerID));
}

void GuidePageModel::playChannel(int row)
{
    if (const MediaItem *channel = channelAt(row))
        app()->play(*channel, m_state->channels(), true);
}

void GuidePageModel::select(const MediaItem &channel, const GuideProgramme &programme)
{
    m_selection = GuideSelection{channel, programme};
    Q_EMIT selectionChanged();
}

void GuidePageModel::closeSheet()
{
    if (!m_selection)
        return;
    m_selection.reset();
    Q_EMIT selectionChanged();
}

const MediaItem *GuidePageModel::channelAt(int row) const
{
    if (!m_state || row < 0 || row >= m_state->channels().size())
        return nullptr;
    return &m_state->channels().at(row);
}

bool GuidePageModel::wheelScroll(const GuideWheel::Scroll &scroll)
{
    if (!m_state)
        return false;
    const std::optional<double> offset = GuideWheel::minuteOffset(scroll, targetOffset(), visibleMinutes());
    if (!offset)
        return false;
    setMinuteOffset(*offset);
    return true;
}

double GuidePageModel::targetOffset() const
{
    // A move that is still being animated counts as made, so that quick presses add up.
    if (m_offsetAnimation.state() == QAbstractAnimation::Running)
        return m_offsetAnimation.endValue().toDouble();
    return m_state->minuteOffset();
}

void GuidePageModel::setMinuteOffset(double offset)
{
    m_offsetAnimation.stop();
    m_state->setMinuteOffset(offset);
}

void GuidePageModel::animateMinuteOffset(double offset, int milliseconds)
{
    m_offsetAnimation.stop();
    m_offsetAnimation.setDuration(milliseconds);
    m_offsetAnimation.setStartValue(m_state->minuteOffset());
    m_offsetAnimation.setEndValue(offset);
    m_offsetAnimation.start();
}

void GuidePageModel::setNow(const QDateTime &now)
{
    const bool newDate = now.toLocalTime().date() != m_now.toLocalTime().date();
    m_now = now;
    Q_EMIT nowChanged();
    if (newDate) {
        updateDayChips();
        updateDay();
    } else {
        updateWindow();
    }
}

void GuidePageModel::updateDay()
{
    const QDateTime dayStart = GuideGeometry::dayStart(m_now, m_state->dayOffset());
    if (dayStart != m_dayStart) {
        m_dayStart = dayStart;
        Q_EMIT dayChanged();
    }
    Q_EMIT dayTitleChanged();
    Q_EMIT subtitleChanged();
    updateWindow();
}

void GuidePageModel::updateWindow()
{
    if (!m_state)
        return;
    const double offset = m_state->minuteOffset();
    m_ruler.update(m_dayStart, offset, visibleMinutes());
    std::optional<double> nowLine;
    if (m_state->dayOffset() == 0)
        nowLine = GuideGeometry::nowLineX(m_now, m_dayStart, offset, m_width);
    if (nowLine != m_nowLineX) {
        m_nowLineX = nowLine;
        Q_EMIT nowLineChanged();
    }
    Q_EMIT windowChanged();
}

void GuidePageModel::updateDayChips()
{
    QVariantList chips;
    for (int offset = -1; offset <= 6; ++offset) {
        const QString title = offset == 0 ? u"Today"_s : TimeText::day(GuideGeometry::dayStart(m_now, offset), m_now);
        chips.append(QVariantMap{{u"offset"_s, offset}, {u"title"_s, title}});
    }
    if (chips != m_dayChips) {
        m_dayChips = chips;
        Q_EMIT dayChipsChanged();
    }
}

void GuidePageModel::updateCategories()
{
    m_categories = app()->live()->visibleCategories();
    Q_EMIT categoriesChanged();
}

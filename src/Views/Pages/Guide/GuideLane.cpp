#include "GuideLane.h"

#include "App/GuideState.h"
#include "GuideGeometry.h"
#include "GuideKeys.h"
#include "GuidePageModel.h"
#include "Support/ProgrammeTime.h"
#include "Support/TimeText.h"
#include "Support/TitleText.h"

using namespace Qt::StringLiterals;

GuideLane::GuideLane(QObject *parent)
    : OrderedKeyListModel(parent)
{
}

GuideLane::~GuideLane()
{
    release();
}

QVariant GuideLane::data(const QModelIndex &index, int role) const
{
    if (!m_page || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const GuideProgramme &programme = programmeAt(index.row());
    const auto cell = [&] {
        return GuideGeometry::cell(programme.start, programme.end, m_page->dayStart(), m_page->dayEnd(),
                                   m_page->state()->minuteOffset());
    };
    switch (role) {
    case TitleRole:
        return TitleText::isolated(programme.title);
    case TimeRole:
        return TimeText::range(programme.start, programme.end);
    case CellXRole:
        return cell().x;
    case CellWidthRole:
        return cell().width;
    case TextInsetRole:
        return cell().textInset;
    case CurrentRole:
        return ProgrammeTime::isOnAir(programme.start, programme.end, m_page->now());
    case PastRole:
        return ProgrammeTime::isOver(programme.end, m_page->now());
    default:
        return {};
    }
}

QHash<int, QByteArray> GuideLane::roleNames() const
{
    return {
        {TitleRole, "title"},         {TimeRole, "timeText"},      {CellXRole, "cellX"},
        {CellWidthRole, "cellWidth"}, {TextInsetRole, "textInset"}, {CurrentRole, "current"},
        {PastRole, "past"},
    };
}

void GuideLane::setPage(GuidePageModel *page)
{
    if (page == m_page)
        return;
    release();
    if (m_page)
        disconnect(m_page, nullptr, this, nullptr);
    m_page = page;
    if (m_page && m_page->state()) {
        connect(m_page, &GuidePageModel::dayChanged, this, &GuideLane::bind);
        connect(m_page, &GuidePageModel::windowChanged, this, &GuideLane::updateCells);
        connect(m_page, &GuidePageModel::nowChanged, this, [this] { rolesChanged({CurrentRole, PastRole}); });
        connect(m_page->state(), &GuideState::cacheChanged, this, &GuideLane::takeFromCache);
        connect(m_page->state(), &GuideState::programmesStored, this, [this](const QString &key) {
            if (key == m_cacheKey)
                takeFromCache();
        });
    }
    Q_EMIT pageChanged();
    bind();
}

void GuideLane::setRow(int row)
{
    if (row == m_row)
        return;
    m_row = row;
    Q_EMIT rowChanged();
    bind();
}

void GuideLane::open(int cell)
{
    if (m_page && cell >= 0 && cell < keys().size())
        m_page->select(m_channel, programmeAt(cell));
}

void GuideLane::bind()
{
    release();
    const MediaItem *channel = m_page && m_page->state() ? m_page->channelAt(m_row) : nullptr;
    if (!channel) {
        takeFromCache();
        return;
    }
    m_channel = *channel;
    m_cacheKey = GuideKeys::cacheKey(m_channel.epgKey, m_page->dayStart());
    m_page->fetcher()->want({m_cacheKey, m_channel.epgKey, m_page->dayStart()});
    takeFromCache();
}

void GuideLane::release()
{
    if (!m_cacheKey.isEmpty() && m_page && m_page->fetcher())
        m_page->fetcher()->release(m_cacheKey);
    m_cacheKey.clear();
}

void GuideLane::takeFromCache()
{
    std::optional<QList<GuideProgramme>> cached;
    if (m_page && m_page->state() && !m_cacheKey.isEmpty()) {
        const GuideState::ProgrammeCache &cache = m_page->state()->cache();
        if (const auto entry = cache.constFind(m_cacheKey); entry != cache.constEnd())
            cached = *entry;
    }
    const QList<GuideProgramme> programmes = cached.value_or(QList<GuideProgramme>());
    if (cached.has_value() == m_loaded && programmes == m_programmes)
        return;
    // The old rows point into the old list.
    setKeys({});
    m_loaded = cached.has_value();
    m_programmes = programmes;
    updateCells();
    Q_EMIT programmesChanged();
}

void GuideLane::updateCells()
{
    if (!m_page || m_programmes.isEmpty()) {
        setKeys({});
        return;
    }
    const QDateTime windowStart = m_page->dayStart().addMSecs(qint64(m_page->state()->minuteOffset() * 60'000));
    const QDateTime windowEnd = windowStart.addMSecs(qint64(m_page->visibleMinutes() * 60'000));
    QList<int> visible;
    for (qsizetype index = 0; index < m_programmes.size(); ++index) {
        const GuideProgramme &programme = m_programmes.at(index);
        if (GuideGeometry::overlaps(programme.start, programme.end, windowStart, windowEnd))
            visible.append(int(index));
    }
    setKeys(visible);
    rolesChanged({CellXRole, TextInsetRole});
}

const GuideProgramme &GuideLane::programmeAt(int cell) const
{
    return m_programmes.at(keys().at(cell));
}

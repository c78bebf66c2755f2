#include "GuideLane.h"

#include "App/GuideState.h"
#include "GuideGeometry.h"
#include "GuideKeys.h"
#include "GuidePageModel.h"
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
    const CellLook cell = look(index.row());
    switch (role) {
    case TitleRole:
        return cell.title;
    case TimeRole:
        return cell.timeText;
    case CellXRole:
        return cell.geometry.x;
    case CellWidthRole:
        return cell.geometry.width;
    case TextInsetRole:
        return cell.geometry.textInset;
    case CurrentRole:
        return cell.current;
    case PastRole:
        return cell.past;
    default:
        return {};
    }
}

GuideLane::CellLook GuideLane::look(int cell) const
{
    const Slot &slot = slotAt(cell);
    if (slot.timeText.isEmpty())
        slot.timeText = TimeText::range(slot.programme.start, slot.programme.end);
    const qint64 now = m_page->now().toMSecsSinceEpoch();
    return {geometry(cell), TitleText::isolated(slot.programme.title), slot.timeText,
            slot.startMs <= now && slot.endMs > now, slot.endMs <= now};
}

int GuideLane::cellAt(double x) const
{
    for (int cell = 0; cell < rowCount(); ++cell) {
        const GuideGeometry::Cell place = geometry(cell);
        if (x >= place.x && x < place.x + place.width)
            return cell;
    }
    return -1;
}

GuideGeometry::Cell GuideLane::geometry(int cell) const
{
    const Slot &slot = slotAt(cell);
    return GuideGeometry::cell(slot.startMinute, slot.endMinute, m_page->state()->minuteOffset());
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
        m_page->select(m_channel, slotAt(cell).programme);
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
    m_slots.clear();
    m_slots.reserve(programmes.size());
    const qint64 dayStart = m_page ? m_page->dayStart().toMSecsSinceEpoch() : 0;
    for (const GuideProgramme &programme : programmes) {
        Slot slot{programme, 0, 0, programme.start.toMSecsSinceEpoch(), programme.end.toMSecsSinceEpoch(), {}};
        slot.startMinute = GuideGeometry::minutesFrom(dayStart, slot.startMs);
        slot.endMinute = GuideGeometry::minutesFrom(dayStart, slot.endMs);
        m_slots.append(std::move(slot));
    }
    updateCells();
    Q_EMIT programmesChanged();
}

void GuideLane::updateCells()
{
    if (!m_page || m_slots.isEmpty()) {
        setKeys({});
        return;
    }
    const double offset = m_page->state()->minuteOffset();
    const double visibleMinutes = m_page->visibleMinutes();
    QList<int> visible;
    for (qsizetype index = 0; index < m_slots.size(); ++index) {
        const Slot &slot = m_slots.at(index);
        if (GuideGeometry::isVisible(slot.startMinute, slot.endMinute, offset, visibleMinutes))
            visible.append(int(index));
    }
    setKeys(visible);
    rolesChanged({CellXRole, TextInsetRole});
}

const GuideLane::Slot &GuideLane::slotAt(int cell) const
{
    return m_slots.at(keys().at(cell));
}

#include "PlayerChannelPanelModel.h"

#include "App/AppModel.h"
#include "Catalogue/CataloguePageReader.h"
#include "Store/CatalogueStore.h"
#include "Support/AssignIfChanged.h"
#include "Support/Clock.h"
#include "Support/PrefKeys.h"
#include "Support/TitleText.h"
#include "Views/Player/PlayerViewModel.h"
#include "Views/Player/ProgrammeChoice.h"

#include <algorithm>

using namespace Qt::StringLiterals;

void PlayerChannelPanelModel::setPlayer(PlayerViewModel *player)
{
    if (assignIfChanged(m_player, player))
        Q_EMIT playerChanged();
}

int PlayerChannelPanelModel::playingRow() const
{
    const auto playing = std::find_if(m_channels.cbegin(), m_channels.cend(),
                                      [this](const MediaItem &channel) { return channel.providerID == m_playingID; });
    return playing == m_channels.cend() ? -1 : int(playing - m_channels.cbegin());
}

int PlayerChannelPanelModel::highlightedRow() const
{
    if (!m_highlighted)
        return -1;
    const auto found = std::find_if(m_channels.cbegin(), m_channels.cend(),
                                    [this](const MediaItem &channel) { return channel.providerID == *m_highlighted; });
    return found == m_channels.cend() ? -1 : int(found - m_channels.cbegin());
}

std::optional<NowProgramme> PlayerChannelPanelModel::programme(int row) const
{
    const MediaItem &channel = m_channels.at(row);
    const auto read = m_nowTitles.constFind(channel.epgKey);
    return read != m_nowTitles.cend() ? std::optional(*read) : channel.now;
}

int PlayerChannelPanelModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant PlayerChannelPanelModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const MediaItem &channel = m_channels.at(index.row());
    switch (role) {
    case ProviderIdRole:
        return channel.providerID;
    case NumberRole:
        // An empty text keeps the column for a channel without a number.
        return channel.number ? QString::number(*channel.number) : QString();
    case TitleRole:
        return TitleText::isolated(channel.title);
    case NameRole:
        return channel.title;
    case ArtworkUrlRole:
        return channel.artworkURL.value_or(QUrl());
    case PlayingRole:
        return channel.providerID == m_playingID;
    case HighlightedRole:
        return m_highlighted == channel.providerID;
    case HasProgrammeRole:
        return programme(index.row()).has_value();
    case ProgrammeTitleRole: {
        const std::optional<NowProgramme> now = programme(index.row());
        return now ? TitleText::isolated(now->title) : QString();
    }
    case ProgrammeProgressRole: {
        const std::optional<NowProgramme> now = programme(index.row());
        if (!now || !m_player || !m_player->app())
            return 0.0;
        return ProgrammeChoice::progress(now->start, now->end, m_player->app()->store()->clock().now());
    }
    default:
        return {};
    }
}

QHash<int, QByteArray> PlayerChannelPanelModel::roleNames() const
{
    return {{ProviderIdRole, "providerId"},        {NumberRole, "number"},
            {TitleRole, "title"},                  {NameRole, "name"},
            {ArtworkUrlRole, "artworkUrl"},
            {PlayingRole, "playing"},              {HighlightedRole, "highlighted"},
            {HasProgrammeRole, "hasProgramme"},    {ProgrammeTitleRole, "programmeTitle"},
            {ProgrammeProgressRole, "programmeProgress"}};
}

void PlayerChannelPanelModel::open()
{
    beginResetModel();
    m_channels = m_player ? m_player->target().channels : QList<MediaItem>();
    m_playingID = m_player ? m_player->target().providerID : QString();
    m_showNumbers = Prefs::read(PrefKeys::showChannelNumbers);
    m_highlighted = m_playingID;
    m_nowTitles.clear();
    m_reading.clear();
    endResetModel();
    Q_EMIT opened();
    Q_EMIT highlightedChanged();
}

void PlayerChannelPanelModel::move(int delta)
{
    if (m_channels.isEmpty())
        return;
    const int from = std::max(highlightedRow(), 0);
    const int to = int(std::clamp<qint64>(qint64(from) + delta, 0, m_channels.size() - 1));
    setHighlighted(m_channels.at(to).providerID);
}

void PlayerChannelPanelModel::hover(int row)
{
    if (row >= 0 && row < m_channels.size())
        setHighlighted(m_channels.at(row).providerID);
}

void PlayerChannelPanelModel::activate(int row)
{
    if (m_player && row >= 0 && row < m_channels.size())
        m_player->playChannel(m_channels.at(row));
}

bool PlayerChannelPanelModel::handleKey(int key)
{
    switch (key) {
    case Qt::Key_Down:
        move(1);
        return true;
    case Qt::Key_Up:
        move(-1);
        return true;
    case Qt::Key_PageDown:
        move(10);
        return true;
    case Qt::Key_PageUp:
        move(-10);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        activate(highlightedRow());
        return true;
    case Qt::Key_Escape:
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (m_player)
            m_player->dismissChannels();
        return true;
    default:
        return false;
    }
}

void PlayerChannelPanelModel::rowShown(int row)
{
    if (!m_player || row < 0 || row >= m_channels.size())
        return;
    const MediaItem &channel = m_channels.at(row);
    if (channel.now || m_nowTitles.contains(channel.epgKey) || m_reading.contains(channel.epgKey))
        return;
    m_reading.insert(channel.epgKey);
    loadNow(QPointer(this), channel.epgKey);
}

QCoro::Task<> PlayerChannelPanelModel::loadNow(QPointer<PlayerChannelPanelModel> self, QString epgKey)
{
    // The playing channel's playlist, not whichever one the user has turned to since.
    const std::optional<qint64> playlistID = self->m_player->guidePlaylistID();
    CatalogueStore *store = self->m_player->app()->store();
    QList<GuideProgramme> rows;
    if (playlistID) {
        try {
            rows = co_await store->pageReader().schedule(*playlistID, epgKey, store->clock().now(), 1);
        } catch (...) {
            // Optional: the row shows no programme and asks again when it is next built.
        }
    }
    if (!self)
        co_return;
    self->m_reading.remove(epgKey);
    // Only a programme already on air; one that begins later is not "now".
    if (!rows.isEmpty() && rows.constFirst().start <= store->clock().now()) {
        const GuideProgramme &first = rows.constFirst();
        self->storeNow(epgKey, {first.title, first.start, first.end});
    }
}

void PlayerChannelPanelModel::storeNow(const QString &epgKey, const NowProgramme &programme)
{
    m_nowTitles.insert(epgKey, programme);
    emitRowsChanged([&epgKey](const MediaItem &channel) { return channel.epgKey == epgKey; },
                    {HasProgrammeRole, ProgrammeTitleRole, ProgrammeProgressRole});
}

void PlayerChannelPanelModel::setHighlighted(const std::optional<QString> &providerID)
{
    if (m_highlighted == providerID)
        return;
    const std::optional<QString> previous = std::exchange(m_highlighted, providerID);
    emitRowsChanged(
        [&](const MediaItem &channel) { return channel.providerID == previous || channel.providerID == providerID; },
        {HighlightedRole});
    Q_EMIT highlightedChanged();
}

void PlayerChannelPanelModel::emitRowsChanged(const std::function<bool(const MediaItem &)> &affected,
                                              const QList<int> &roles)
{
    for (qsizetype row = 0; row < m_channels.size(); ++row) {
        if (affected(m_channels.at(row)))
            Q_EMIT dataChanged(index(int(row)), index(int(row)), roles);
    }
}

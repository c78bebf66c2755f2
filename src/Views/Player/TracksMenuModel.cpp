#include "TracksMenuModel.h"

#include "Playback/MediaEngine.h"
#include "Playback/PlayerController.h"
#include "Playback/VLCVideoView.h"

#include <QLocale>

#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr std::array<double, 5> speeds{0.75, 1.0, 1.25, 1.5, 2.0};

TracksMenuModel::Entry line(TracksMenuModel::EntryKind kind, const QString &text)
{
    TracksMenuModel::Entry entry;
    entry.kind = kind;
    entry.text = text;
    return entry;
}

TracksMenuModel::Entry choice(const QString &text, bool checked, TracksMenuModel::Entry::Action action,
                              const QString &icon = {})
{
    TracksMenuModel::Entry entry = line(TracksMenuModel::EntryKind::Choice, text);
    entry.checked = checked;
    entry.icon = checked ? u"checkmark"_s : icon;
    entry.action = action;
    return entry;
}

QString speedLabel(double rate)
{
    return rate == 1.0 ? u"Normal"_s : QLocale().toString(rate) + u"\u00D7"_s;
}

} // namespace

void TracksMenuModel::setPlayer(PlayerController *player, bool offersSpeeds, const QString &containerExtension)
{
    for (const QMetaObject::Connection &connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_player = player;
    m_offersSpeeds = offersSpeeds;
    m_containerExtension = containerExtension;
    if (player) {
        for (const auto signal : {&PlayerController::trackRevisionChanged, &PlayerController::stateChanged,
                                  &PlayerController::playerChanged})
            m_connections.append(connect(player, signal, this, &TracksMenuModel::refresh));
        m_connections.append(
            connect(player->player(), &MediaEngine::videoFitModeChanged, this, &TracksMenuModel::refresh));
    }
    refresh();
}

int TracksMenuModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant TracksMenuModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Entry &entry = m_entries.at(index.row());
    switch (role) {
    case KindRole:
        return int(entry.kind);
    case TextRole:
        return entry.text;
    case CheckedRole:
        return entry.checked;
    case IconRole:
        return entry.icon;
    default:
        return {};
    }
}

QHash<int, QByteArray> TracksMenuModel::roleNames() const
{
    return {{KindRole, "kind"}, {TextRole, "label"}, {CheckedRole, "checked"}, {IconRole, "symbolName"}};
}

void TracksMenuModel::refresh()
{
    QList<Entry> entries = readEntries();
    const bool sameShape = entries.size() == m_entries.size();
    if (!sameShape) {
        beginResetModel();
        m_entries = std::move(entries);
        endResetModel();
        return;
    }
    for (qsizetype row = 0; row < entries.size(); ++row) {
        const Entry &before = m_entries.at(row);
        const Entry &after = entries.at(row);
        if (before.kind != after.kind || before.text != after.text || before.checked != after.checked
            || before.icon != after.icon) {
            m_entries[row] = after;
            Q_EMIT dataChanged(index(int(row)), index(int(row)));
        } else {
            m_entries[row] = after;
        }
    }
}

QList<TracksMenuModel::Entry> TracksMenuModel::readEntries() const
{
    if (!m_player)
        return {};
    using Action = Entry::Action;
    QList<Entry> entries;
    const QList<PlayerTrack> audio = m_player->audioTracks();
    if (audio.size() >= 2) {
        entries.append(line(EntryKind::Header, u"Audio"_s));
        for (const PlayerTrack &track : audio) {
            entries.append(choice(track.description, track.isSelected, Action::Audio));
            entries.last().trackID = track.id;
        }
    }
    entries.append(line(EntryKind::Header, u"Subtitles"_s));
    entries.append(choice(u"Off"_s, !m_player->currentSubtitleID(), Action::SubtitlesOff));
    for (const PlayerTrack &track : m_player->subtitleTracks()) {
        entries.append(choice(track.description, track.isSelected, Action::Subtitle));
        entries.last().trackID = track.id;
    }
    const MediaEngine *engine = m_player->player();
    entries.append(line(EntryKind::Header, u"Picture"_s));
    entries.append(choice(engine->videoFitMode() == MediaEngine::Fill ? u"Fit to screen"_s : u"Fill screen"_s, false,
                          Action::Picture, u"aspectratio"_s));
    if (m_offersSpeeds) {
        entries.append(line(EntryKind::Header, u"Speed"_s));
        const float current = float(engine->rate());
        for (const double rate : speeds) {
            entries.append(choice(speedLabel(rate), std::abs(current - float(rate)) < 0.01f, Action::Speed));
            entries.last().rate = rate;
        }
    }
    const QSize size = engine->videoSize();
    if (size.width() > 0 && size.height() > 0) {
        entries.append(line(EntryKind::Header, u"Stream"_s));
        const QString container = m_containerExtension.isEmpty() ? u"STREAM"_s : m_containerExtension.toUpper();
        entries.append(line(EntryKind::Info, QString::number(size.width()) + u"\u00D7"_s
                                                 + QString::number(size.height()) + u" \u00B7 "_s + container));
    }
    return entries;
}

void TracksMenuModel::choose(int row)
{
    if (!m_player || row < 0 || row >= m_entries.size())
        return;
    const Entry entry = m_entries.at(row);
    MediaEngine *engine = m_player->player();
    switch (entry.action) {
    case Entry::Action::None:
        return;
    case Entry::Action::Audio:
        m_player->selectAudio(entry.trackID);
        return;
    case Entry::Action::SubtitlesOff:
        m_player->selectSubtitle(std::nullopt);
        return;
    case Entry::Action::Subtitle:
        m_player->selectSubtitle(entry.trackID);
        return;
    case Entry::Action::Picture: {
        const bool filled = engine->videoFitMode() == MediaEngine::Fill;
        engine->setVideoFitMode(filled ? MediaEngine::Fit : MediaEngine::Fill);
        m_player->videoView()->setFillScreen(!filled);
        break;
    }
    case Entry::Action::Speed:
        engine->setRate(entry.rate);
        break;
    }
    m_player->showControls(true);
    refresh();
}

// What the screen keeps of a title: the watch position of films and episodes, the move to the
// next episode at the end of one, and the favourite state of the playing item.
#include "PlayerViewModel.h"

#include "App/AppModel.h"
#include "Store/CatalogueStore.h"
#include "Support/PrefKeys.h"
#include "Views/Kit/ItemMenuModel.h"
#include "Views/Player/PlayerHeader.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// Seconds as the history stores them: whole, rounded, never negative, and within 32 bits.
qint64 storedSeconds(double seconds)
{
    if (!(seconds > 0))
        return 0;
    return qint64(std::min(std::round(seconds), double(std::numeric_limits<qint32>::max())));
}

} // namespace

void PlayerViewModel::persistProgress()
{
    CatalogueStore *store = m_target.catalogueStore;
    if (!store || isLive() || !(m_position > 0) || !Prefs::read(PrefKeys::keepWatchHistory))
        return;
    const std::optional<qint64> playlist = m_target.playlistID ? m_target.playlistID : store->selectedPlaylistID();
    if (playlist) {
        const CatalogueKind kind = m_target.kind == CatalogueKind::Series ? CatalogueKind::Series : CatalogueKind::Movie;
        const std::optional<qint64> duration = m_duration > 0 ? std::optional(storedSeconds(m_duration)) : std::nullopt;
        store->saveWatchPosition(*playlist, m_target.providerID, kind, storedSeconds(m_position), duration);
    }
    // Without a playlist nothing is written, yet the next save is measured from here too.
    m_lastPersisted = m_position;
}

void PlayerViewModel::finished()
{
    persistProgress();
    if (m_advanced || !m_nextEpisode || !Prefs::read(PrefKeys::autoPlayNextEpisode))
        return;
    // At most once per screen, whatever the player reports after this.
    m_advanced = true;
    if (m_target.item) {
        persistProgress();
        app()->play(*m_nextEpisode, *m_target.item, m_target.episodes, false);
    }
}

void PlayerViewModel::playNextEpisode()
{
    if (m_left || !m_nextEpisode || !m_target.item)
        return;
    persistProgress();
    app()->play(*m_nextEpisode, *m_target.item, m_target.episodes, false);
}

void PlayerViewModel::toggleFavourite()
{
    if (m_left || !m_target.item)
        return;
    const std::optional<bool> saved = app()->toggleFavourite(*m_target.item);
    if (!saved)
        return;
    m_header->setFavourite(*saved);
    app()->toast(ItemMenuModel::favouriteNotice(*saved), ToastKind::Success);
}

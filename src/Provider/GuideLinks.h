#pragma once

#include <QtGlobal>

class CatalogueDatabase;

// The links from a playlist's live channels to its guide. A channel without a guide id of its
// own (none, or merely its own id as key) is linked to the one guide channel that its title
// fits, among the channels of the guide the database holds for the playlist. Both the guide
// import (against the guide it has just swapped in) and the catalogue import (against the guide
// it keeps, since the provider's rows it swaps in carry no such links) link this way.
namespace GuideLinks {

// Runs inside the caller's transaction; returns how many channels were linked. A failing
// statement throws CatalogueDatabaseError.
int relink(CatalogueDatabase &database, qint64 playlistID);

} // namespace GuideLinks

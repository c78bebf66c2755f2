#pragma once

#include "Catalogue/CatalogueModels.h"

class AppModel;

namespace LiveChannelPlayback {

// Plays a channel of the live list with the list's channels to switch through (the loaded rows,
// or the whole category in channel order). It is not tied to the page or panel that asked and
// ends even when they are gone.
void play(AppModel &app, const MediaItem &channel);

} // namespace LiveChannelPlayback

#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QString>

// The programme picked in the guide, with the channel of its row.
struct GuideSelection
{
    MediaItem channel;
    GuideProgramme programme;

    // The channel's id ("live:<provider id>"), "|" and the programme's own id, so that the same
    // programme picked on two channels that share a guide gives two selections.
    [[nodiscard]] QString id() const;

    friend bool operator==(const GuideSelection &, const GuideSelection &) = default;
};

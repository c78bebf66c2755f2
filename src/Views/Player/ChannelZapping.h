#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QList>
#include <QString>

#include <optional>

// The arithmetic of changing channels in a zap list: by stepping through it and by typed number.
namespace ChannelZapping {

// The position of the first channel with this provider id; none when no channel has it.
[[nodiscard]] std::optional<int> indexOf(const QList<MediaItem> &channels, const QString &providerID);

// The position `offset` places away from `current` in a list of `count` channels, wrapping at both
// ends; from a channel not in the list (no current position) both directions lead to the first.
// None for lists of fewer than two channels.
[[nodiscard]] std::optional<int> stepped(std::optional<int> current, int offset, int count);

// The typed digits as a channel number; none for no digits, a character other than 0-9, or a
// number too large to be one.
[[nodiscard]] std::optional<qint64> typedNumber(const QString &digits);

// The position of the first channel carrying this number.
[[nodiscard]] std::optional<int> indexOfNumber(const QList<MediaItem> &channels, qint64 number);

// The notice for a number that no channel in the list has: "No channel 999 in this list", with no
// number when the digits made none.
[[nodiscard]] QString missingChannelNotice(std::optional<qint64> number);

} // namespace ChannelZapping

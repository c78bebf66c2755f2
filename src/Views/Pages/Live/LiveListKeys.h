#pragma once

#include <QString>

#include <optional>

// The keys of the live channel list while it has focus. Each answers on press and on repeat and
// counts as handled even when it does nothing (nothing selected, an empty list).
namespace LiveListKeys {

enum class Action { None, MoveUp, MoveDown, Play, ToggleFavourite };

// The action of a key with the text it types: the arrows, Return (and Enter), and the character
// "f" (lower case only: Shift+F types "F" and is left to others).
[[nodiscard]] Action action(int key, const QString &text);

// The row the selection moves to from `current` (-1 for none) by `step` among `count` loaded
// rows: no wrap-around, and from no selection both directions give the first row. None for an
// empty list.
[[nodiscard]] std::optional<int> moveTarget(int count, int current, int step);

} // namespace LiveListKeys

#include "LiveListKeys.h"

#include <algorithm>

namespace LiveListKeys {

Action action(int key, const QString &text)
{
    switch (key) {
    case Qt::Key_Up:
        return Action::MoveUp;
    case Qt::Key_Down:
        return Action::MoveDown;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Action::Play;
    default:
        return text == u"f" ? Action::ToggleFavourite : Action::None;
    }
}

std::optional<int> moveTarget(int count, int current, int step)
{
    if (count <= 0)
        return std::nullopt;
    return std::max(std::min(current + step, count - 1), 0);
}

} // namespace LiveListKeys

#pragma once

#include <utility>

// Stores a property's new value and says whether it differed from the old one, so that setters
// notify their observers only of real changes.
template<typename T, typename U>
bool assignIfChanged(T &field, U &&value)
{
    if (field == value)
        return false;
    field = std::forward<U>(value);
    return true;
}

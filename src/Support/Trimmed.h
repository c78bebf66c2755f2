#pragma once

#include <QString>

// The text without the characters at either end for which `strip` holds.
template<typename Predicate>
[[nodiscard]] QString trimmedWhere(const QString &text, Predicate strip)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && strip(text.at(start)))
        ++start;
    while (end > start && strip(text.at(end - 1)))
        --end;
    return text.sliced(start, end - start);
}

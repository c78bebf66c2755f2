#include "JSONTextRepair.h"

#include <QChar>

#include <charconv>

namespace JSONTextRepair {

namespace {

// The UTF-16 code unit of a "\uXXXX" escape at `at`, or none.
std::optional<char16_t> escapedUnit(QByteArrayView json, qsizetype at)
{
    if (at + 6 > json.size() || json[at] != '\\' || json[at + 1] != 'u')
        return std::nullopt;
    const char *digits = json.data() + at + 2;
    unsigned unit = 0;
    const auto [end, error] = std::from_chars(digits, digits + 4, unit, 16);
    if (error != std::errc() || end != digits + 4)
        return std::nullopt;
    return char16_t(unit);
}

} // namespace

std::optional<QByteArray> repaired(QByteArrayView json)
{
    bool changed = false;
    QByteArray out;
    out.reserve(json.size());
    for (qsizetype at = 0; at < json.size();) {
        if (json[at] != '\\' || at + 1 >= json.size()) {
            out += json[at++];
            continue;
        }
        const std::optional<char16_t> unit = escapedUnit(json, at);
        if (!unit || !QChar::isSurrogate(*unit)) {
            // Any other escape, "\\" included, is kept as it is, both characters at once.
            out += json.sliced(at, 2);
            at += 2;
            continue;
        }
        const std::optional<char16_t> next = escapedUnit(json, at + 6);
        if (QChar::isHighSurrogate(*unit) && next && QChar::isLowSurrogate(*next)) {
            out += json.sliced(at, 12);
            at += 12;
            continue;
        }
        out += "\\uFFFD";
        at += 6;
        changed = true;
    }
    return changed ? std::optional(out) : std::nullopt;
}

} // namespace JSONTextRepair

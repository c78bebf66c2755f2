#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// How counts and ratings are written.
namespace NumberText {

// The count with the locale's thousands separators ("12,345" in English, "12.345" in German).
[[nodiscard]] QString grouped(qint64 number, const QLocale &locale = QLocale());

// A rating as its badge shows it, with one decimal ("7.5"). Providers rate out of 10 or out of
// 100, so a value above 10 is divided by 10. Empty when there is no rating to show (absent, 0 or
// below, or not a number), which hides the badge.
[[nodiscard]] QString rating(std::optional<double> value);

// A channel's number as a plain decimal ("101"); empty for a channel without one.
[[nodiscard]] QString channel(std::optional<qint64> number);

} // namespace NumberText

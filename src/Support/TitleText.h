#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Text helpers for titles as providers write them.
namespace TitleText {

// The first year in parentheses anywhere in the title ("(1999)" gives "1999"); only years from
// 1900 to 2099 count. None when the title has none.
[[nodiscard]] std::optional<QString> year(QStringView title);

// The title between FIRST STRONG ISOLATE and POP DIRECTIONAL ISOLATE, so that a right-to-left
// provider name keeps its own direction without reordering the text around it.
[[nodiscard]] QString isolated(QStringView title);

} // namespace TitleText

#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// Providers' JSON sometimes holds an escape that no JSON parser accepts although every other byte
// of it is fine: half of a UTF-16 surrogate pair without its other half ("\ud800"). One such
// title must cost only its odd character, not the whole reply.
namespace JSONTextRepair {

// The text with every lone surrogate escape made "\uFFFD" (the replacement character); none when
// there was none, so that the parse error stands.
[[nodiscard]] std::optional<QByteArray> repaired(QByteArrayView json);

} // namespace JSONTextRepair

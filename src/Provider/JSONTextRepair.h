#pragma once

#include "JSONParseError.h"

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

// parse(text) over the text as sent and, when the parser refuses it, once more over the mended
// text; a text that cannot be mended fails as it did.
template<typename Parse>
auto parseMending(QByteArrayView json, Parse parse)
{
    try {
        return parse(json);
    } catch (const JSONParseError &) {
        const std::optional<QByteArray> mended = repaired(json);
        if (!mended)
            throw;
        return parse(QByteArrayView(*mended));
    }
}

} // namespace JSONTextRepair

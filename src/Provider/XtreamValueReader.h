#pragma once

// Internal to the provider decoders: it exposes simdjson types, so only their sources include it.

#include <QByteArrayView>
#include <QString>

#include <simdjson.h>

#include <initializer_list>
#include <optional>
#include <string_view>
#include <variant>

// Providers send the same field as a text in one reply and as a number in the next, and leave
// fields empty or null. Every field is therefore read from an ordered list of candidate keys,
// and the first usable value wins: a non-empty text, or a number (true and false count as 1
// and 0). A value keeps the form it was sent in until a field asks for text, an integer or a
// floating-point number.
namespace XtreamValueReader {

class Value
{
public:
    // None for null, arrays, objects and empty texts. Texts are views into the parser's
    // buffers: a Value lives no longer than the document it came from.
    [[nodiscard]] static std::optional<Value> from(simdjson::dom::element element);
    // Throws JSONParseError when the value is malformed.
    [[nodiscard]] static std::optional<Value> from(simdjson::ondemand::value &value);

    // The text as sent, or a number's shortest decimal text: integers (also integral
    // floating-point values) without a fraction, 1 and 0 for true and false.
    [[nodiscard]] QString text() const;
    // A whole decimal integer that fits 64 bits (see decimalInteger).
    [[nodiscard]] std::optional<qint64> integer() const;
    // A decimal floating-point number (see decimalNumber).
    [[nodiscard]] std::optional<double> number() const;

private:
    using Storage = std::variant<std::string_view, qint64, quint64, double>;

    explicit Value(Storage storage)
        : m_storage(storage)
    {
    }

    Storage m_storage;
};

// A whole reply; the element lives as long as the parser. Throws JSONParseError.
[[nodiscard]] simdjson::dom::element parse(simdjson::dom::parser &parser, QByteArrayView body);
// The parser's diagnosis as a JSONParseError.
[[noreturn]] void throwParseError(simdjson::error_code error);

// An array whose elements are all objects (an empty one too).
[[nodiscard]] bool isArrayOfObjects(simdjson::dom::array array);

// The first usable value of the keys, in the order given.
[[nodiscard]] std::optional<Value> value(simdjson::dom::object object, std::initializer_list<std::string_view> keys);
[[nodiscard]] std::optional<QString> string(simdjson::dom::object object, std::initializer_list<std::string_view> keys);

// An optional "+" or "-" followed by one or more digits 0-9, nothing else, within 64 bits.
[[nodiscard]] std::optional<qint64> decimalInteger(std::string_view text);
// An optional sign, digits with an optional fraction, and an optional exponent; no spaces, no
// words such as "inf" or "nan", no hexadecimal forms.
[[nodiscard]] std::optional<double> decimalNumber(std::string_view text);

} // namespace XtreamValueReader

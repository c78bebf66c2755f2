#include "XtreamValueReader.h"

#include "JSONParseError.h"
#include "JSONTextRepair.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace XtreamValueReader {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

qsizetype digitRun(std::string_view text, qsizetype from)
{
    qsizetype end = from;
    while (end < qsizetype(text.size()) && isDigit(text[size_t(end)]))
        ++end;
    return end - from;
}

// The whole text as a number; from_chars itself takes no "+".
template<typename Number>
std::optional<Number> wholeNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    Number result{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return result;
}

// Integral values count as integers as long as every digit is meaningful.
std::optional<qint64> integralValue(double number)
{
    if (std::trunc(number) == number && std::abs(number) < 1e17)
        return qint64(number);
    return std::nullopt;
}

// Integral values print without a fraction.
QString doubleText(double number)
{
    if (const std::optional<qint64> integral = integralValue(number))
        return QString::number(*integral);
    return QString::number(number, 'g', QLocale::FloatingPointShortest);
}

// A well-formed integer beyond 64 bits: kept as its digits, like any other number's text.
bool isBigInteger(std::string_view token)
{
    const std::string_view digits = !token.empty() && token.front() == '-' ? token.substr(1) : token;
    return !digits.empty() && digitRun(digits, 0) == qsizetype(digits.size());
}

} // namespace

std::optional<Value> Value::from(simdjson::dom::element element)
{
    switch (element.type()) {
    case simdjson::dom::element_type::STRING: {
        const std::string_view text = element.get_string().value_unsafe();
        return text.empty() ? std::nullopt : std::optional(Value(text));
    }
    case simdjson::dom::element_type::INT64:
        return Value(qint64(element.get_int64().value_unsafe()));
    case simdjson::dom::element_type::UINT64:
        return Value(quint64(element.get_uint64().value_unsafe()));
    case simdjson::dom::element_type::DOUBLE:
        return Value(element.get_double().value_unsafe());
    case simdjson::dom::element_type::BOOL:
        return Value(qint64(element.get_bool().value_unsafe() ? 1 : 0));
    default:
        return std::nullopt;
    }
}

std::optional<Value> Value::from(simdjson::ondemand::value &value)
{
    simdjson::ondemand::json_type type;
    if (const auto error = value.type().get(type))
        throwParseError(error);
    switch (type) {
    case simdjson::ondemand::json_type::string: {
        // A text without escapes is used where it stands, sparing the parser's copy.
        const std::string_view token = value.raw_json_token();
        if (token.find('\\') == std::string_view::npos) {
            const std::string_view text = token.substr(1, token.find('"', 1) - 1);
            return text.empty() ? std::nullopt : std::optional(Value(text));
        }
        std::string_view text;
        if (const auto error = value.get_string().get(text))
            throwParseError(error);
        return text.empty() ? std::nullopt : std::optional(Value(text));
    }
    case simdjson::ondemand::json_type::number: {
        simdjson::ondemand::number number;
        if (const auto error = value.get_number().get(number)) {
            std::string_view token = value.raw_json_token();
            while (!token.empty() && std::string_view(" \t\r\n").find(token.back()) != std::string_view::npos)
                token.remove_suffix(1);
            if (error == simdjson::NUMBER_ERROR && isBigInteger(token))
                return Value(token);
            throwParseError(error);
        }
        switch (number.get_number_type()) {
        case simdjson::ondemand::number_type::signed_integer:
            return Value(qint64(number.get_int64()));
        case simdjson::ondemand::number_type::unsigned_integer:
            return Value(quint64(number.get_uint64()));
        case simdjson::ondemand::number_type::floating_point_number:
            return Value(number.get_double());
        }
        return std::nullopt;
    }
    case simdjson::ondemand::json_type::boolean: {
        bool flag = false;
        if (const auto error = value.get_bool().get(flag))
            throwParseError(error);
        return Value(qint64(flag ? 1 : 0));
    }
    default:
        return std::nullopt;
    }
}

QString Value::text() const
{
    return std::visit(
        [](auto stored) -> QString {
            using T = decltype(stored);
            if constexpr (std::is_same_v<T, std::string_view>) {
                QString text = QString::fromUtf8(stored.data(), qsizetype(stored.size()));
                // A NUL ("\u0000") would end the text for SQLite's string functions and searches.
                if (stored.find('\0') != std::string_view::npos)
                    text.remove(QChar(0));
                return text;
            }
            else if constexpr (std::is_same_v<T, double>)
                return doubleText(stored);
            else
                return QString::number(stored);
        },
        m_storage);
}

std::optional<qint64> Value::integer() const
{
    return std::visit(
        [](auto stored) -> std::optional<qint64> {
            using T = decltype(stored);
            if constexpr (std::is_same_v<T, std::string_view>)
                return decimalInteger(stored);
            else if constexpr (std::is_same_v<T, double>)
                return integralValue(stored);
            else if constexpr (std::is_same_v<T, quint64>)
                return std::nullopt; // only values of 2^63 and above are stored unsigned
            else
                return stored;
        },
        m_storage);
}

std::optional<double> Value::number() const
{
    return std::visit(
        [](auto stored) -> std::optional<double> {
            if constexpr (std::is_same_v<decltype(stored), std::string_view>)
                return decimalNumber(stored);
            else
                return double(stored);
        },
        m_storage);
}

simdjson::dom::element parse(simdjson::dom::parser &parser, QByteArrayView body)
{
    // The parser copies every text it returns, so a mended body need not outlive the call.
    return JSONTextRepair::parseMending(body, [&parser](QByteArrayView text) {
        simdjson::dom::element root;
        if (const auto error = parser.parse(text.data(), size_t(text.size())).get(root))
            throwParseError(error);
        return root;
    });
}

void throwParseError(simdjson::error_code error)
{
    throw JSONParseError(simdjson::error_message(error));
}

bool isArrayOfObjects(simdjson::dom::array array)
{
    return std::all_of(array.begin(), array.end(), [](simdjson::dom::element element) { return element.is_object(); });
}

std::optional<Value> value(simdjson::dom::object object, std::initializer_list<std::string_view> keys)
{
    for (const std::string_view key : keys) {
        simdjson::dom::element element;
        if (object.at_key(key).get(element))
            continue;
        if (auto found = Value::from(element))
            return found;
    }
    return std::nullopt;
}

std::optional<QString> string(simdjson::dom::object object, std::initializer_list<std::string_view> keys)
{
    if (const auto found = value(object, keys))
        return found->text();
    return std::nullopt;
}

std::optional<qint64> decimalInteger(std::string_view text)
{
    const qsizetype signLength = !text.empty() && (text.front() == '+' || text.front() == '-') ? 1 : 0;
    const qsizetype digits = digitRun(text, signLength);
    if (digits == 0 || signLength + digits != qsizetype(text.size()))
        return std::nullopt;
    return wholeNumber<qint64>(text);
}

std::optional<double> decimalNumber(std::string_view text)
{
    qsizetype at = !text.empty() && (text.front() == '+' || text.front() == '-') ? 1 : 0;
    const qsizetype wholeDigits = digitRun(text, at);
    at += wholeDigits;
    qsizetype fractionDigits = 0;
    if (at < qsizetype(text.size()) && text[size_t(at)] == '.') {
        fractionDigits = digitRun(text, at + 1);
        at += 1 + fractionDigits;
    }
    if (wholeDigits + fractionDigits == 0)
        return std::nullopt;
    if (at < qsizetype(text.size()) && (text[size_t(at)] == 'e' || text[size_t(at)] == 'E')) {
        ++at;
        if (at < qsizetype(text.size()) && (text[size_t(at)] == '+' || text[size_t(at)] == '-'))
            ++at;
        const qsizetype exponentDigits = digitRun(text, at);
        if (exponentDigits == 0)
            return std::nullopt;
        at += exponentDigits;
    }
    if (at != qsizetype(text.size()))
        return std::nullopt;
    return wholeNumber<double>(text);
}

} // namespace XtreamValueReader

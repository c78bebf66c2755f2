#include "XMLTVGuideParser.h"

#include "CivilDateTime.h"

#include <QVarLengthArray>

#include <simdjson.h>

namespace {

constexpr QByteArrayView openMarker = "<programme";
constexpr QByteArrayView closeMarker = "</programme>";
constexpr QByteArrayView cdataOpen = "<![CDATA[";
constexpr QByteArrayView cdataClose = "]]>";

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

qsizetype indexOfIgnoringCase(QByteArrayView haystack, QByteArrayView needle, qsizetype from)
{
    const char lower = asciiLower(needle.front());
    const char upper = asciiUpper(needle.front());
    const QByteArrayView rest = needle.sliced(1);
    for (qsizetype at = from; at + needle.size() <= haystack.size(); ++at) {
        const char c = haystack[at];
        if ((c == lower || c == upper) && haystack.sliced(at + 1, rest.size()).compare(rest, Qt::CaseInsensitive) == 0)
            return at;
    }
    return -1;
}

int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    const char lower = asciiLower(c);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// Writes a code point as UTF-8; false for values that are not characters.
bool appendUtf8(QByteArray &out, char32_t codePoint)
{
    if (codePoint == 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return false;
    if (codePoint < 0x80) {
        out += char(codePoint);
    } else if (codePoint < 0x800) {
        out += char(0xC0 | (codePoint >> 6));
        out += char(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += char(0xE0 | (codePoint >> 12));
        out += char(0x80 | ((codePoint >> 6) & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    } else {
        out += char(0xF0 | (codePoint >> 18));
        out += char(0x80 | ((codePoint >> 12) & 0x3F));
        out += char(0x80 | ((codePoint >> 6) & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    }
    return true;
}

// A character reference at the start of `text` ("&#233;" or "&#xE9;"): its length, once its
// character has been written, or 0.
qsizetype appendCharacterReference(QByteArray &out, QByteArrayView text)
{
    const bool hex = text.size() > 3 && (text[2] == 'x' || text[2] == 'X');
    const int base = hex ? 16 : 10;
    qsizetype at = hex ? 3 : 2;
    char32_t codePoint = 0;
    const qsizetype digitsStart = at;
    for (; at < text.size() && at - digitsStart < 8; ++at) {
        const int digit = digitValue(text[at]);
        if (digit < 0 || digit >= base)
            break;
        codePoint = codePoint * char32_t(base) + char32_t(digit);
    }
    if (at == digitsStart || at >= text.size() || text[at] != ';' || !appendUtf8(out, codePoint))
        return 0;
    return at + 1;
}

// One pass, so that an escaped entity ("&amp;lt;") stays what it says ("&lt;").
QByteArray decodedEntities(QByteArrayView text)
{
    static constexpr struct
    {
        QByteArrayView entity;
        char character;
    } named[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    QByteArray out;
    out.reserve(text.size());
    qsizetype at = 0;
    for (qsizetype ampersand = text.indexOf('&'); ampersand >= 0; ampersand = text.indexOf('&', at)) {
        out += text.sliced(at, ampersand - at);
        const QByteArrayView rest = text.sliced(ampersand);
        at = ampersand + 1;
        if (rest.startsWith("&#")) {
            if (const qsizetype length = appendCharacterReference(out, rest)) {
                at = ampersand + length;
                continue;
            }
        }
        const auto entity = std::find_if(std::begin(named), std::end(named),
                                         [&](const auto &candidate) { return rest.startsWith(candidate.entity); });
        if (entity != std::end(named)) {
            out += entity->character;
            at = ampersand + entity->entity.size();
        } else {
            out += '&';
        }
    }
    out += text.sliced(at);
    return out;
}

// A NUL character would end the text for SQLite's string functions and cut a channel id short.
std::optional<QString> nonEmptyTrimmed(QByteArrayView utf8)
{
    QString text = QString::fromUtf8(utf8);
    if (utf8.contains('\0'))
        text.remove(QChar(0));
    text = text.trimmed();
    return text.isEmpty() ? std::nullopt : std::optional(std::move(text));
}

// The raw value of an attribute, trimmed of ASCII white space.
std::optional<QByteArrayView> attributeValue(QByteArrayView name, QByteArrayView tag)
{
    qsizetype at = indexOfIgnoringCase(tag, name, 0);
    while (at >= 0 && (at + name.size() >= tag.size() || tag[at + name.size()] != '='))
        at = indexOfIgnoringCase(tag, name, at + 1);
    if (at < 0)
        return std::nullopt;
    at += name.size() + 1;
    while (at < tag.size() && (tag[at] == ' ' || tag[at] == '\t'))
        ++at;
    if (at >= tag.size() || (tag[at] != '"' && tag[at] != '\''))
        return std::nullopt;
    const qsizetype valueEnd = tag.indexOf(tag[at], at + 1);
    if (valueEnd < 0)
        return std::nullopt;
    const QByteArrayView value = tag.sliced(at + 1, valueEnd - at - 1).trimmed();
    return value.isEmpty() ? std::nullopt : std::optional(value);
}

QVarLengthArray<char, 32> tagText(QByteArrayView opening, QByteArrayView name, QByteArrayView closing = {})
{
    QVarLengthArray<char, 32> text;
    text.append(opening.data(), opening.size());
    text.append(name.data(), name.size());
    text.append(closing.data(), closing.size());
    return text;
}

} // namespace

XMLTVGuideParser::XMLTVGuideParser()
    : m_open(openMarker)
    , m_close(closeMarker)
{
}

qsizetype XMLTVGuideParser::append(QByteArrayView bytes, std::optional<GuideProgramme> &programme)
{
    programme.reset();
    if (m_elementHoldsCompleted) {
        m_element.resize(0);
        m_elementHoldsCompleted = false;
    }

    qsizetype start = 0;      // where the element's bytes of this call begin
    qsizetype searchFrom = 0; // where its closing tag may begin
    if (!m_inElement) {
        const qsizetype openEnd = m_open.find(bytes);
        if (openEnd < 0)
            return bytes.size();
        if (openEnd < openMarker.size())
            m_element = openMarker.first(openMarker.size() - openEnd).toByteArray(); // began in the last call
        else
            start = openEnd - openMarker.size();
        searchFrom = openEnd;
        m_inElement = true;
    }

    // The closing tag must end within the size limit; the byte that crosses it drops the element.
    const qsizetype windowEnd = qMin(bytes.size(), start + maximumElementSize + 1 - m_element.size());
    const qsizetype closeEnd = m_close.find(bytes.sliced(searchFrom, windowEnd - searchFrom));
    if (closeEnd < 0) {
        if (windowEnd < bytes.size()) {
            dropElement();
            return windowEnd;
        }
        m_element.append(bytes.sliced(start));
        return bytes.size();
    }

    const qsizetype elementEnd = searchFrom + closeEnd;
    m_inElement = false;
    if (m_element.isEmpty()) {
        programme = parse(bytes.sliced(start, elementEnd - start));
    } else {
        m_element.append(bytes.sliced(start, elementEnd - start));
        m_elementHoldsCompleted = true;
        programme = parse(m_element);
    }
    return elementEnd;
}

void XMLTVGuideParser::dropElement()
{
    m_inElement = false;
    m_element.resize(0);
    m_close.reset();
}

std::optional<GuideProgramme> XMLTVGuideParser::parse(QByteArrayView element)
{
    if (!simdjson::validate_utf8(element.data(), size_t(element.size())))
        return std::nullopt;
    const qsizetype tagEnd = element.indexOf('>');
    if (tagEnd < 0)
        return std::nullopt;
    const QByteArrayView tag = element.first(tagEnd);

    std::optional<QString> channelID = attribute("channel", tag);
    if (!channelID)
        return std::nullopt;
    std::optional<QString> title = elementText("title", element);
    if (!title)
        return std::nullopt;
    const auto startText = attributeValue("start", tag);
    const std::optional<QDateTime> start = startText ? date(*startText) : std::nullopt;
    if (!start)
        return std::nullopt;
    auto stopText = attributeValue("stop", tag);
    if (!stopText)
        stopText = attributeValue("end", tag);
    const std::optional<QDateTime> end = stopText ? date(*stopText) : std::nullopt;
    if (!end || *end <= *start)
        return std::nullopt;

    GuideProgramme programme;
    programme.channelID = std::move(*channelID);
    programme.title = std::move(*title);
    programme.description = elementText("desc", element);
    if (!programme.description)
        programme.description = elementText("description", element);
    programme.start = *start;
    programme.end = *end;
    return programme;
}

std::optional<QDateTime> XMLTVGuideParser::date(QByteArrayView text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    const auto pieceAt = [&](qsizetype &at) {
        while (at < text.size() && isBlank(text[at]))
            ++at;
        const qsizetype pieceStart = at;
        while (at < text.size() && !isBlank(text[at]))
            ++at;
        return text.sliced(pieceStart, at - pieceStart);
    };
    qsizetype at = 0;
    const std::optional<CivilDateTime> wallTime = CivilDateTime::fromCompactDigits(pieceAt(at));
    if (!wallTime)
        return std::nullopt;
    const std::optional<qint64> offset = zoneOffsetSeconds(pieceAt(at), *wallTime);
    if (!offset)
        return std::nullopt;
    return wallTime->atUTCOffset(*offset);
}

std::optional<qint64> XMLTVGuideParser::zoneOffsetSeconds(QByteArrayView zone, const CivilDateTime &wallTime)
{
    if (!zone.isEmpty() && (zone.front() == '+' || zone.front() == '-')) {
        // "+01:00" reads like "+0100"; only the sign and four digits count.
        QVarLengthArray<char, 5> offsetText;
        for (qsizetype index = 0; index < zone.size() && offsetText.size() < 5; ++index) {
            if (zone[index] != ':')
                offsetText.append(zone[index]);
        }
        return CivilDateTime::utcOffsetSeconds(QByteArrayView(offsetText.data(), offsetText.size()));
    }
    if (zone.compare("Z", Qt::CaseInsensitive) == 0
        || (zone.size() >= 3 && zone.first(3).compare("UTC", Qt::CaseInsensitive) == 0))
        return 0;
    return localOffsetSeconds(wallTime);
}

std::optional<qint64> XMLTVGuideParser::localOffsetSeconds(const CivilDateTime &wallTime)
{
    CivilDateTime hourStart = wallTime;
    hourStart.minute = 0;
    hourStart.second = 0;
    const qint64 hourSeconds = hourStart.secondsAsUTC();
    const auto cached = m_localOffsets.constFind(hourSeconds);
    if (cached != m_localOffsets.constEnd())
        return *cached;
    const std::optional<QDateTime> moment = hourStart.inLocalTime();
    const std::optional<qint64> offset =
        moment ? std::optional(hourSeconds - moment->toSecsSinceEpoch()) : std::nullopt;
    m_localOffsets.insert(hourSeconds, offset);
    return offset;
}

std::optional<QString> XMLTVGuideParser::attribute(QByteArrayView name, QByteArrayView tag)
{
    const std::optional<QByteArrayView> value = attributeValue(name, tag);
    return value ? nonEmptyTrimmed(*value) : std::nullopt;
}

std::optional<QString> XMLTVGuideParser::elementText(QByteArrayView name, QByteArrayView text)
{
    const auto opening = tagText("<", name);
    const qsizetype openAt = indexOfIgnoringCase(text, QByteArrayView(opening.data(), opening.size()), 0);
    if (openAt < 0)
        return std::nullopt;
    const qsizetype contentStart = text.indexOf('>', openAt);
    if (contentStart < 0)
        return std::nullopt;
    const auto closing = tagText("</", name, ">");
    const qsizetype closeAt = indexOfIgnoringCase(text, QByteArrayView(closing.data(), closing.size()), contentStart + 1);
    if (closeAt < 0)
        return std::nullopt;
    QByteArrayView content = text.sliced(contentStart + 1, closeAt - contentStart - 1);
    if (content.startsWith(cdataOpen) && content.endsWith(cdataClose)
        && content.size() >= cdataOpen.size() + cdataClose.size())
        content = content.sliced(cdataOpen.size(), content.size() - cdataOpen.size() - cdataClose.size());
    if (content.indexOf('&') < 0)
        return nonEmptyTrimmed(content);
    return nonEmptyTrimmed(decodedEntities(content));
}

#include "CategoryLanguage.h"

#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTextBoundaryFinder>

using namespace Qt::StringLiterals;

namespace {

struct Language
{
    QString key;
    QString name;
    QStringList tokens;
};

// The language table, the tags that name no language, and the tag pattern, built once per
// process: detection runs for every category of every import.
struct Tables
{
    QHash<QString, QString> codes; // upper-case token -> language key
    QHash<QString, QString> names; // language key -> display name
    QSet<QString> genericPrefixes;
    // At the start: a letter and at most 14 more letters, spaces, full stops or hyphens (the
    // tag), then ":", "|", " - ", "]" or ")". Unicode-aware so that \s matches any space.
    QRegularExpression prefixPattern{u"^(\\p{L}[\\p{L} .\\-]{0,14}?)\\s*(:|\\||\\s-\\s|\\]|\\))"_s,
                                     QRegularExpression::UseUnicodePropertiesOption};

    Tables();
};

Tables::Tables()
{
    const QList<Language> languages = {
        {u"en"_s, u"English"_s, {u"UK"_s, u"GB"_s, u"EN"_s, u"ENG"_s, u"ENGLISH"_s, u"US"_s, u"USA"_s, u"CA"_s,
         u"CAN"_s, u"AU"_s, u"AUS"_s, u"IE"_s, u"IRE"_s, u"NZ"_s, u"UNITED KINGDOM"_s, u"CANADA"_s, u"AUSTRALIA"_s,
         u"IRELAND"_s, u"NEW ZEALAND"_s, u"SCOTLAND"_s, u"WALES"_s, u"AMERICA"_s, u"UNITED STATES"_s}},
        {u"intl"_s, u"International"_s, {u"GLOBAL"_s, u"INT"_s, u"INTL"_s, u"WORLD"_s, u"MULTI"_s, u"WW"_s,
         u"INTERNATIONAL"_s}},
        {u"fr"_s, u"French"_s, {u"FR"_s, u"FRA"_s, u"FRANCE"_s, u"FRENCH"_s, u"QC"_s, u"QUEBEC"_s, u"QUÉBEC"_s,
         u"LUXEMBOURG"_s}},
        {u"de"_s, u"German"_s, {u"DE"_s, u"GER"_s, u"GERMANY"_s, u"GERMAN"_s, u"DEUTSCHLAND"_s, u"AT"_s,
         u"AUSTRIA"_s, u"CH"_s, u"SWISS"_s, u"SWITZERLAND"_s}},
        {u"nl"_s, u"Dutch"_s, {u"NL"_s, u"NED"_s, u"NETHERLANDS"_s, u"HOLLAND"_s, u"DUTCH"_s, u"BE"_s, u"BEL"_s,
         u"BELGIUM"_s, u"VL"_s}},
        {u"es"_s, u"Spanish"_s, {u"ES"_s, u"ESP"_s, u"SPAIN"_s, u"ESPAÑA"_s, u"ESPANA"_s, u"SPANISH"_s}},
        {u"latam"_s, u"Latin American"_s, {u"LAT"_s, u"LATAM"_s, u"LATIN"_s, u"LATINO"_s, u"MX"_s, u"MEX"_s,
         u"MEXICO"_s, u"CO"_s, u"COLOMBIA"_s, u"CL"_s, u"CHILE"_s, u"PE"_s, u"PERU"_s, u"ARG"_s, u"ARGENTINA"_s,
         u"PARAGUAY"_s, u"URUGUAY"_s, u"COSTA RICA"_s, u"VENEZUELA"_s, u"ECUADOR"_s, u"BOLIVIA"_s, u"DOMINICAN"_s,
         u"PUERTO RICO"_s}},
        {u"pt"_s, u"Portuguese"_s, {u"PT"_s, u"POR"_s, u"PORTUGAL"_s, u"BR"_s, u"BRA"_s, u"BRAZIL"_s, u"BRASIL"_s}},
        {u"it"_s, u"Italian"_s, {u"IT"_s, u"ITA"_s, u"ITALY"_s, u"ITALIA"_s}},
        {u"ar"_s, u"Arabic"_s, {u"AR"_s, u"ARA"_s, u"ARAB"_s, u"ARABIC"_s, u"MENA"_s, u"SA"_s, u"KSA"_s, u"UAE"_s,
         u"EG"_s, u"EGYPT"_s, u"MA"_s, u"MOROCCO"_s, u"DZ"_s, u"ALGERIA"_s, u"TN"_s, u"TUNISIA"_s, u"IQ"_s,
         u"IRAQ"_s, u"SY"_s, u"SYRIA"_s, u"LB"_s, u"LEBANON"_s, u"JO"_s, u"JORDAN"_s, u"SUDAN"_s, u"LIBYA"_s,
         u"QATAR"_s, u"KUWAIT"_s, u"GULF"_s}},
        {u"tr"_s, u"Turkish"_s, {u"TR"_s, u"TUR"_s, u"TURKEY"_s, u"TURKIYE"_s, u"TÜRKIYE"_s}},
        {u"pl"_s, u"Polish"_s, {u"PL"_s, u"POL"_s, u"POLAND"_s, u"POLSKA"_s}},
        {u"sv"_s, u"Swedish"_s, {u"SE"_s, u"SWE"_s, u"SWEDEN"_s, u"SVERIGE"_s}},
        {u"no"_s, u"Norwegian"_s, {u"NO"_s, u"NOR"_s, u"NORWAY"_s, u"NORGE"_s}},
        {u"da"_s, u"Danish"_s, {u"DK"_s, u"DEN"_s, u"DENMARK"_s, u"DANMARK"_s}},
        {u"fi"_s, u"Finnish"_s, {u"FI"_s, u"FIN"_s, u"FINLAND"_s, u"SUOMI"_s}},
        {u"nordic"_s, u"Nordic"_s, {u"SCAN"_s, u"NORDIC"_s, u"SCANDINAVIA"_s}},
        {u"el"_s, u"Greek"_s, {u"GR"_s, u"GRE"_s, u"GREECE"_s, u"GREEK"_s, u"CY"_s, u"CYPRUS"_s}},
        {u"sq"_s, u"Albanian"_s, {u"AL"_s, u"ALB"_s, u"ALBANIA"_s, u"KOSOVO"_s, u"KO"_s}},
        {u"ru"_s, u"Russian"_s, {u"RU"_s, u"RUS"_s, u"RUSSIA"_s, u"BY"_s, u"BELARUS"_s, u"KA"_s, u"KAZAKHSTAN"_s,
         u"KAZACHSTAN"_s}},
        {u"uk"_s, u"Ukrainian"_s, {u"UA"_s, u"UKR"_s, u"UKRAINE"_s}},
        {u"ro"_s, u"Romanian"_s, {u"RO"_s, u"ROM"_s, u"ROMANIA"_s, u"MOLDOVA"_s}},
        {u"hu"_s, u"Hungarian"_s, {u"HU"_s, u"HUN"_s, u"HUNGARY"_s}},
        {u"cs"_s, u"Czech & Slovak"_s, {u"CZ"_s, u"CZE"_s, u"CZECH"_s, u"SK"_s, u"SVK"_s, u"SLOVAKIA"_s}},
        {u"bg"_s, u"Bulgarian"_s, {u"BG"_s, u"BUL"_s, u"BULGARIA"_s}},
        {u"balkan"_s, u"Balkan"_s, {u"EXYU"_s, u"EX-YU"_s, u"YU"_s, u"BALKAN"_s, u"RS"_s, u"SRB"_s, u"SERBIA"_s,
         u"HR"_s, u"CRO"_s, u"CROATIA"_s, u"BA"_s, u"BIH"_s, u"BOSNIA"_s, u"SI"_s, u"SLO"_s, u"SLOVENIA"_s, u"MK"_s,
         u"MACEDONIA"_s, u"ME"_s, u"MONTENEGRO"_s, u"BH"_s, u"CG"_s, u"SL"_s}},
        {u"fa"_s, u"Persian"_s, {u"IR"_s, u"IRN"_s, u"IRAN"_s, u"PERSIAN"_s, u"FARSI"_s}},
        {u"af"_s, u"Afghan"_s, {u"AFG"_s, u"AFGHANISTAN"_s}},
        {u"southasia"_s, u"South Asian"_s, {u"IN"_s, u"IND"_s, u"INDIA"_s, u"AS"_s, u"ASIAN"_s, u"PK"_s, u"PAK"_s,
         u"PAKISTAN"_s, u"BD"_s, u"BANGLA"_s, u"BANGLADESH"_s, u"LK"_s, u"SRI LANKA"_s, u"NP"_s, u"NEPAL"_s,
         u"PUNJABI"_s, u"TAMIL"_s, u"HINDI"_s, u"URDU"_s, u"BAN"_s}},
        {u"zh"_s, u"Chinese"_s, {u"CN"_s, u"CHN"_s, u"CHINA"_s, u"CHINESE"_s, u"HK"_s, u"HONG KONG"_s, u"TW"_s,
         u"TAIWAN"_s, u"TAI"_s}},
        {u"ja"_s, u"Japanese"_s, {u"JP"_s, u"JPN"_s, u"JAPAN"_s}},
        {u"ko"_s, u"Korean"_s, {u"KR"_s, u"KOR"_s, u"KOREA"_s}},
        {u"fil"_s, u"Filipino"_s, {u"PH"_s, u"PHI"_s, u"PHILIPPINES"_s, u"PINOY"_s}},
        {u"th"_s, u"Thai"_s, {u"TH"_s, u"THA"_s, u"THAILAND"_s}},
        {u"vi"_s, u"Vietnamese"_s, {u"VN"_s, u"VIE"_s, u"VIETNAM"_s, u"VT"_s}},
        {u"id"_s, u"Southeast Asian"_s, {u"ID"_s, u"INDONESIA"_s, u"MY"_s, u"MALAYSIA"_s, u"SG"_s, u"SINGAPORE"_s}},
        {u"he"_s, u"Hebrew"_s, {u"IL"_s, u"ISR"_s, u"ISRAEL"_s, u"HEBREW"_s}},
        {u"ku"_s, u"Kurdish"_s, {u"KU"_s, u"KUR"_s, u"KURD"_s, u"KURDISH"_s, u"KURDISTAN"_s}},
        {u"hy"_s, u"Armenian"_s, {u"AM"_s, u"ARM"_s, u"ARMENIA"_s}},
        {u"african"_s, u"African"_s, {u"AF"_s, u"AFR"_s, u"AFRICA"_s, u"AFRICAN"_s, u"NG"_s, u"NIGERIA"_s, u"ZA"_s,
         u"SOUTH AFRICA"_s, u"KE"_s, u"KENYA"_s, u"GH"_s, u"GHANA"_s, u"SO"_s, u"SOMALI"_s, u"SOMALIA"_s}},
        {u"caribbean"_s, u"Caribbean"_s, {u"CARIB"_s, u"CARIBBEAN"_s, u"JM"_s, u"JAMAICA"_s, u"TT"_s}},
        {u"lt"_s, u"Baltic"_s, {u"LT"_s, u"LITHUANIA"_s, u"LV"_s, u"LATVIA"_s, u"EE"_s, u"ESTONIA"_s, u"BALTIC"_s,
         u"EST"_s}},
        {u"ka"_s, u"Georgian"_s, {u"GE"_s, u"GEO"_s, u"GEORGIA"_s}},
        {u"az"_s, u"Azerbaijani"_s, {u"AZ"_s, u"AZE"_s, u"AZERBAIJAN"_s}},
        {u"mt"_s, u"Maltese"_s, {u"MT"_s, u"MALTA"_s}},
        {u"is"_s, u"Icelandic"_s, {u"IS"_s, u"ICELAND"_s}},
    };
    for (const Language &language : languages) {
        names.insert(language.key, language.name);
        for (const QString &token : language.tokens)
            codes.insert(token, language.key);
    }
    genericPrefixes = {
        u"LIVE"_s, u"PPV"_s, u"VIP"_s, u"VOD"_s, u"HD"_s, u"FHD"_s, u"UHD"_s, u"SD"_s, u"TV"_s, u"NEW"_s, u"TOP"_s,
        u"KIDS"_s, u"XXX"_s, u"ADULT"_s, u"PRIME"_s, u"MAX"_s, u"PLUS"_s, u"SPORT"_s, u"SPORTS"_s, u"SPT"_s, u"MU"_s,
        u"NA"_s, u"EVENTS"_s, u"NEWS"_s, u"MOVIES"_s, u"FILM"_s, u"FILMS"_s, u"SERIES"_s, u"MUSIC"_s, u"DOC"_s,
        u"DOCS"_s, u"EPL"_s, u"NFL"_s, u"NBA"_s, u"NHL"_s, u"MLB"_s, u"UFC"_s, u"WWE"_s, u"F1"_s
    };
    prefixPattern.optimize();
}

const Tables &tables()
{
    static const Tables shared;
    return shared;
}

// Spaces and tabs, but not line breaks.
bool isHorizontalSpace(QChar character)
{
    return character == u'\t' || character.category() == QChar::Separator_Space;
}

QStringView trimmedHorizontally(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isHorizontalSpace(text.at(begin)))
        ++begin;
    while (end > begin && isHorizontalSpace(text.at(end - 1)))
        --end;
    return text.sliced(begin, end - begin);
}

QStringView trimmedOf(QStringView text, QChar character)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == character)
        ++begin;
    while (end > begin && text.at(end - 1) == character)
        --end;
    return text.sliced(begin, end - begin);
}

// Counts user-perceived characters, so that a flag or an accent written as a combining mark
// counts once.
qsizetype perceivedLength(QStringView text)
{
    // Below U+0300 every code unit stands alone (no combining marks, no surrogates).
    const bool simple = std::all_of(text.begin(), text.end(),
                                    [](QChar character) { return character.unicode() < 0x300 && character != u'\r'; });
    if (simple)
        return text.size();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

std::optional<QString> lookup(QStringView token)
{
    const Tables &shared = tables();
    const auto found = shared.codes.constFind(trimmedHorizontally(token).toString().toUpper());
    if (found == shared.codes.cend())
        return std::nullopt;
    return *found;
}

QList<QStringView> words(QStringView text, QStringView separators)
{
    QList<QStringView> result;
    qsizetype start = 0;
    for (qsizetype index = 0; index <= text.size(); ++index) {
        if (index == text.size() || separators.contains(text.at(index))) {
            if (index > start)
                result.append(text.sliced(start, index - start));
            start = index + 1;
        }
    }
    return result;
}

// An upper-case letter: a single code point of category Lu, or a cluster (a letter with marks)
// that upper-casing leaves alone and lower-casing changes.
bool isUpperCaseLetter(QStringView character)
{
    const QList<uint> codePoints = character.toUcs4();
    if (codePoints.isEmpty() || !QChar::isLetter(codePoints.front()))
        return false;
    if (codePoints.size() == 1)
        return QChar::isUpper(codePoints.front());
    const QString text = character.toString();
    return text.toUpper() == text && text.toLower() != text;
}

// Two to four characters, each an upper-case letter: a country tag the table does not know.
bool isUnknownCountryTag(QStringView tag)
{
    const qsizetype length = perceivedLength(tag);
    if (length < 2 || length > 4)
        return false;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, tag);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end > 0; start = end, end = finder.toNextBoundary()) {
        if (!isUpperCaseLetter(tag.sliced(start, end - start)))
            return false;
    }
    return true;
}

CategoryLanguage::Detection english()
{
    return {u"en"_s, std::nullopt};
}

// After a tag that named no language, a later word may still name one ("VIP: Germany").
std::optional<QString> languageOfWordsAfter(QStringView rest)
{
    const QList<QStringView> parts = words(rest, u" |:-/()[]");
    for (qsizetype index = 0; index < parts.size(); ++index) {
        if (index + 1 < parts.size()) {
            const QString pair = parts.at(index).toString() + u' ' + parts.at(index + 1).toString();
            if (auto key = lookup(pair))
                return key;
        }
        if (perceivedLength(parts.at(index)) >= 4) {
            if (auto key = lookup(parts.at(index)))
                return key;
        }
    }
    return std::nullopt;
}

} // namespace

CategoryLanguage::Detection CategoryLanguage::detect(std::optional<QStringView> name)
{
    const QStringView trimmed = name ? name->trimmed() : QStringView();
    if (trimmed.isEmpty())
        return english();
    QStringView cleaned = trimmed;
    while (!cleaned.isEmpty() && QStringView(u"[(|#\u2605* ").contains(cleaned.front()))
        cleaned = cleaned.sliced(1);

    // A tag before a separator: "UK: Sports", "FR - Cinema", "[PT] Filmes".
    const QRegularExpressionMatch match = tables().prefixPattern.match(cleaned);
    QString rawTag;
    if (match.hasMatch()) {
        rawTag = trimmedHorizontally(match.capturedView(1)).toString();
        const QStringView tag = trimmedOf(rawTag, u'.');
        if (auto key = lookup(tag))
            return {*key, tag.toString().toUpper()};
    }

    // A country written out at the start: "Sri Lanka Movies", "Germany Sport".
    const QList<QStringView> parts = words(cleaned, u" |:-/([");
    if (parts.size() >= 2 && perceivedLength(parts.at(0)) >= 3) {
        const QString pair = parts.at(0).toString() + u' ' + parts.at(1).toString();
        if (auto key = lookup(pair))
            return {*key, pair};
    }
    if (!parts.isEmpty() && perceivedLength(parts.at(0)) >= 4) {
        if (auto key = lookup(parts.at(0)))
            return {*key, parts.at(0).toString()};
    }
    if (cleaned.startsWith(u"ex-yu", Qt::CaseInsensitive))
        return {u"balkan"_s, u"Ex-Yu"_s};

    if (!match.hasMatch())
        return english();
    const QString upperTag = rawTag.toUpper();
    if (auto key = languageOfWordsAfter(cleaned.sliced(match.capturedEnd(0))))
        return {*key, upperTag};
    if (tables().genericPrefixes.contains(upperTag))
        return english();
    if (isUnknownCountryTag(rawTag))
        return {u"x:"_s + rawTag, rawTag};
    return english();
}

QString CategoryLanguage::displayName(const QString &key)
{
    if (const auto found = tables().names.constFind(key); found != tables().names.cend())
        return *found;
    if (key.startsWith(u"x:"))
        return key.sliced(2);
    return key;
}

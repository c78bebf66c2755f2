#include "GuideMatching.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

const QStringList countryEndings = {u"uk"_s, u"us"_s, u"ca"_s, u"au"_s, u"ie"_s, u"nz"_s, u"za"_s,
                                    u"pl"_s, u"nl"_s, u"de"_s, u"fr"_s, u"es"_s, u"it"_s};
const QStringList qualityEndings = {u"fhd"_s, u"uhd"_s, u"4k"_s, u"hd"_s, u"sd"_s};

// An ending comes off only when at least four characters stay.
constexpr qsizetype shortestKey = 4;

// Visits the code points of a text with the positions they take in it.
template<typename Visitor>
void forEachCodePoint(QStringView text, Visitor visit)
{
    for (qsizetype at = 0; at < text.size();) {
        const QChar unit = text.at(at);
        const bool isPair = unit.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate();
        const char32_t codePoint = isPair ? QChar::surrogateToUcs4(unit, text.at(at + 1)) : unit.unicode();
        const qsizetype length = isPair ? 2 : 1;
        visit(codePoint, text.sliced(at, length));
        at += length;
    }
}

// Characters as a reader counts them: combining marks belong to the letter before them.
qsizetype characterCount(QStringView text)
{
    qsizetype count = 0;
    forEachCodePoint(text, [&](char32_t codePoint, QStringView) { count += QChar::isMark(codePoint) ? 0 : 1; });
    return count;
}

void addWithoutEnding(QSet<QString> &keys, const QString &key, const QString &ending)
{
    if (key.endsWith(ending) && characterCount(key) - ending.size() >= shortestKey)
        keys.insert(key.chopped(ending.size()));
}

} // namespace

GuideMatching::GuideMatching(const QStringList &channelIDs)
{
    for (const QString &id : channelIDs) {
        m_exactIndex[compact(id)].insert(id);
        for (const QString &key : keys(id))
            m_fuzzyIndex[key].insert(id);
    }
}

std::optional<QString> GuideMatching::match(const QString &title) const
{
    static const QRegularExpression leadingNumber(u"^\\s*\\d+\\s+"_s, QRegularExpression::UseUnicodePropertiesOption);
    const QString withoutNumber = QString(title).remove(leadingNumber);

    const auto exact = m_exactIndex.constFind(compact(withoutNumber));
    if (exact != m_exactIndex.constEnd() && exact->size() == 1)
        return *exact->constBegin();

    QSet<QString> candidates;
    for (const QString &key : keys(withoutNumber))
        candidates.unite(m_fuzzyIndex.value(key));
    if (candidates.size() == 1)
        return *candidates.constBegin();
    return std::nullopt;
}

QString GuideMatching::compact(const QString &text)
{
    const QString lower = text.toLower();
    QString result;
    result.reserve(lower.size());
    bool keptBase = false;
    forEachCodePoint(lower, [&](char32_t codePoint, QStringView units) {
        // A combining mark stays with a kept letter, as one character.
        const bool keep = QChar::isLetterOrNumber(codePoint) || (keptBase && QChar::isMark(codePoint));
        if (!QChar::isMark(codePoint))
            keptBase = keep;
        if (keep)
            result.append(units);
    });
    return result;
}

QSet<QString> GuideMatching::keys(const QString &text)
{
    const QString compactText = compact(text);
    QSet<QString> result{compactText};
    // Country endings come off the whole compact text only, never off a shortened key.
    for (const QString &ending : countryEndings)
        addWithoutEnding(result, compactText, ending);
    // Each quality ending comes off every key found so far, including those of earlier endings.
    for (const QString &ending : qualityEndings) {
        const QSet<QString> current = result;
        for (const QString &key : current)
            addWithoutEnding(result, key, ending);
    }
    result.remove(QString());
    return result;
}

#include "ArtworkPlaceholder.h"

#include "Palette.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

using Palette::rgb;

const std::array<std::pair<QColor, QColor>, ArtworkPlaceholder::paletteSize> gradients{{
    {rgb(0x1B, 0x2A, 0x4A), rgb(0x0E, 0x14, 0x22)},
    {rgb(0x18, 0x3B, 0x3A), rgb(0x0B, 0x1A, 0x1F)},
    {rgb(0x2E, 0x23, 0x48), rgb(0x11, 0x0E, 0x22)},
    {rgb(0x3A, 0x24, 0x30), rgb(0x17, 0x0D, 0x14)},
    {rgb(0x23, 0x34, 0x4A), rgb(0x0C, 0x14, 0x1F)},
    {rgb(0x2C, 0x3A, 0x22), rgb(0x10, 0x17, 0x0C)},
}};

} // namespace

namespace ArtworkPlaceholder {

int paletteIndex(QStringView title)
{
    quint64 hash = 5381;
    for (const char byte : title.toUtf8())
        hash = hash * 33 + quint8(byte);
    return int(hash % paletteSize);
}

std::pair<QColor, QColor> colours(int index)
{
    return gradients.at(size_t(index) % gradients.size());
}

QString initials(const QString &title)
{
    static const QRegularExpression countryTag(u"^\\s*[\\[\\(]?[A-Za-z]{2,4}[\\]\\)]?\\s*[:|\\-]\\s*"_s);
    static const QRegularExpression bracketed(u"[\\[\\(].*?[\\]\\)]"_s);
    QString rest = title;
    rest.remove(countryTag);
    rest.remove(bracketed);

    // By code point, so that a letter outside the basic plane counts as one character.
    QList<char32_t> letters;
    bool inWord = false;
    for (const char32_t character : rest.toUcs4()) {
        const bool wordCharacter = QChar::isLetterOrNumber(character);
        if (wordCharacter && !inWord && letters.size() < 2)
            letters.append(character);
        inWord = wordCharacter;
    }
    const QString result = QString::fromUcs4(letters.constData(), letters.size());
    return result.isEmpty() ? u"\u2022"_s : result.toUpper();
}

} // namespace ArtworkPlaceholder

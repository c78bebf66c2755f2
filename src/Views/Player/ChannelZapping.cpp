#include "ChannelZapping.h"

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace ChannelZapping {

std::optional<int> indexOf(const QList<MediaItem> &channels, const QString &providerID)
{
    const auto found = std::find_if(channels.cbegin(), channels.cend(),
                                    [&providerID](const MediaItem &channel) { return channel.providerID == providerID; });
    return found == channels.cend() ? std::nullopt : std::optional<int>(int(found - channels.cbegin()));
}

std::optional<int> stepped(std::optional<int> current, int offset, int count)
{
    if (count < 2)
        return std::nullopt;
    const qint64 base = current ? *current : -qint64(offset);
    const qint64 index = ((base + offset) % count + count) % count;
    return int(index);
}

std::optional<qint64> typedNumber(const QString &digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    qint64 number = 0;
    for (const QChar digit : digits) {
        if (digit < u'0' || digit > u'9')
            return std::nullopt;
        const int value = digit.unicode() - u'0';
        if (number > (std::numeric_limits<qint64>::max() - value) / 10)
            return std::nullopt;
        number = number * 10 + value;
    }
    return number;
}

std::optional<int> indexOfNumber(const QList<MediaItem> &channels, qint64 number)
{
    const auto found = std::find_if(channels.cbegin(), channels.cend(),
                                    [number](const MediaItem &channel) { return channel.number == number; });
    return found == channels.cend() ? std::nullopt : std::optional<int>(int(found - channels.cbegin()));
}

QString missingChannelNotice(std::optional<qint64> number)
{
    return u"No channel "_s + (number ? QString::number(*number) : QString()) + u" in this list"_s;
}

} // namespace ChannelZapping

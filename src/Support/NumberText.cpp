#include "NumberText.h"

namespace NumberText {

QString grouped(qint64 number, const QLocale &locale)
{
    // The C locale leaves grouping out by default; counts are grouped in every locale.
    QLocale grouping = locale;
    grouping.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouping.toString(number);
}

QString rating(std::optional<double> value)
{
    if (!value || !(*value > 0))
        return QString();
    const double outOfTen = *value > 10 ? *value / 10 : *value;
    return QString::asprintf("%.1f", outOfTen);
}

QString channel(std::optional<qint64> number)
{
    return number ? QString::number(*number) : QString();
}

} // namespace NumberText

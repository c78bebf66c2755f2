#include "EpochSeconds.h"

#include <QLocale>

#include <cmath>

using namespace Qt::StringLiterals;

QString epochSecondsText(double seconds)
{
    QString text = QString::number(seconds, 'f', QLocale::FloatingPointShortest);
    if (std::isfinite(seconds) && !text.contains(u'.'))
        text += ".0"_L1;
    return text;
}

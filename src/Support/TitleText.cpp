#include "TitleText.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

std::optional<QString> TitleText::year(QStringView title)
{
    static const QRegularExpression pattern(u"\\((19|20)\\d{2}\\)"_s);
    const QRegularExpressionMatch match = pattern.match(title);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(0).mid(1, 4);
}

QString TitleText::isolated(QStringView title)
{
    return u'\u2068' + title.toString() + u'\u2069';
}

#pragma once

#include "Support/NumberText.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

// The number wording for QML: `NumberText.grouped(count)`, `NumberText.rating(item.rating)`,
// `NumberText.channel(item.number)`.
class NumberTextSingleton : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(NumberText)
    QML_SINGLETON

public:
    using QObject::QObject;

    Q_INVOKABLE static QString grouped(qint64 number) { return NumberText::grouped(number); }
    // Empty (hide the badge) for undefined, null and anything that is not a positive number.
    Q_INVOKABLE static QString rating(const QVariant &value)
    {
        bool isNumber = false;
        const double number = value.toDouble(&isNumber);
        return NumberText::rating(isNumber ? std::optional<double>(number) : std::nullopt);
    }
    // Empty for undefined and null (a channel without a number).
    Q_INVOKABLE static QString channel(const QVariant &value)
    {
        bool isNumber = false;
        const qint64 number = value.toLongLong(&isNumber);
        return NumberText::channel(isNumber ? std::optional<qint64>(number) : std::nullopt);
    }
};

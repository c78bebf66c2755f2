#pragma once

#include "Support/TimeText.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The time wording for QML: `TimeText.range(programme.start, programme.end)`. Times relative to
// now (day names, time left, age) use the moment of the call.
class TimeTextSingleton : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(TimeText)
    QML_SINGLETON

public:
    using QObject::QObject;

    Q_INVOKABLE static bool use24Hour() { return TimeText::use24Hour(); }
    Q_INVOKABLE static QString time(const QDateTime &moment) { return TimeText::time(moment); }
    Q_INVOKABLE static QString range(const QDateTime &start, const QDateTime &end)
    {
        return TimeText::range(start, end);
    }
    Q_INVOKABLE static QString day(const QDateTime &moment) { return TimeText::day(moment); }
    Q_INVOKABLE static QString longDay(const QDateTime &moment) { return TimeText::longDay(moment); }
    Q_INVOKABLE static QString duration(double seconds) { return TimeText::duration(seconds); }
    Q_INVOKABLE static QString remaining(const QDateTime &end) { return TimeText::remaining(end); }
    Q_INVOKABLE static QString timecode(double seconds) { return TimeText::timecode(seconds); }
    Q_INVOKABLE static QString relative(const QDateTime &moment) { return TimeText::relative(moment); }
};

#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// Which option of a pull-down of values (`QMPicker`) is the chosen one. Options are {value,
// label} maps; a value matches the selection when both are numbers of the same value, or are of
// the same type and equal, as JavaScript's strict equality has it (1 and 1.0 match, "1" and 1 do
// not).
class PickerRules : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    Q_INVOKABLE static bool matches(const QVariant &value, const QVariant &selection);
    // The label of the first option whose value matches the selection; empty when none does.
    Q_INVOKABLE static QString label(const QVariantList &options, const QVariant &selection);
};

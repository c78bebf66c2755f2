#include "PickerRules.h"

#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace {

bool isNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

} // namespace

bool PickerRules::matches(const QVariant &value, const QVariant &selection)
{
    if (isNumber(value) || isNumber(selection))
        return isNumber(value) && isNumber(selection) && value.toDouble() == selection.toDouble();
    return value.metaType() == selection.metaType() && value == selection;
}

QString PickerRules::label(const QVariantList &options, const QVariant &selection)
{
    for (const QVariant &option : options) {
        const QVariantMap fields = option.toMap();
        if (matches(fields.value(u"value"_s), selection))
            return fields.value(u"label"_s).toString();
    }
    return QString();
}

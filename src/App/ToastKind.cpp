#include "ToastKind.h"

#include <array>

using namespace Qt::StringLiterals;

QString toastKindText(ToastKind kind)
{
    // In the order of the enumeration.
    static const std::array<QString, 4> texts{u"info"_s, u"success"_s, u"warning"_s, u"error"_s};
    return texts.at(size_t(kind));
}

#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

// The five looks of a text button: `QMButton { kind: QMButtonKind.Secondary }`.
namespace QMButtonKind {
Q_NAMESPACE
QML_ELEMENT

enum Kind {
    Primary,
    Secondary,
    Subtle,
    Ghost,
    Danger,
};
Q_ENUM_NS(Kind)

} // namespace QMButtonKind

#pragma once

#include "ToastKind.h"

#include <QString>
#include <QUuid>

// One notice at the edge of the window. Two notices with the same text are still two messages:
// each has an id of its own and is removed on its own.
struct ToastMessage
{
    QUuid id;
    QString text;
    ToastKind kind = ToastKind::Info;

    friend bool operator==(const ToastMessage &, const ToastMessage &) = default;
};

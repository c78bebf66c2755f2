#pragma once

#include "QMButtonKind.h"

#include <QColor>
#include <QObject>
#include <QtQml/qqmlregistration.h>

// How the kit's controls look in each state. A control's hover counts only while it is enabled
// (a disabled control never shows its hovered look), and pressed wins over hovered.
class QMStyle : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(QMStyle)
    QML_SINGLETON

public:
    using QObject::QObject;

    // Text buttons (`QMButton`).
    Q_INVOKABLE static QColor buttonFill(QMButtonKind::Kind kind, bool enabled, bool hovered, bool pressed);
    // The title's colour; pressing does not change it.
    Q_INVOKABLE static QColor buttonForeground(QMButtonKind::Kind kind, bool enabled, bool hovered);
    // Only secondary buttons have a border.
    Q_INVOKABLE static bool buttonBordered(QMButtonKind::Kind kind);
    Q_INVOKABLE static qreal buttonOpacity(bool enabled);
    Q_INVOKABLE static qreal buttonScale(bool pressed);

    // Round icon-only buttons (`QMIconButton`). Disabled ones are not dimmed; their icon is.
    Q_INVOKABLE static QColor iconButtonFill(bool filled, bool enabled, bool hovered, bool pressed);
    Q_INVOKABLE static QColor iconButtonForeground(const QColor &tint, bool enabled, bool hovered);
    Q_INVOKABLE static qreal iconButtonScale(bool pressed);

    // Selectable list rows (`QMRowButton`): the selection wins over pressed and hovered.
    Q_INVOKABLE static QColor rowFill(bool selected, bool hovered, bool pressed);

    // Cards (`QMCardButton`) grow while hovered and shrink while pressed.
    Q_INVOKABLE static qreal cardScale(bool hovered, bool pressed);

    // Chips (`QMChip`): a selected chip ignores hover and has no border.
    Q_INVOKABLE static QColor chipFill(bool selected, bool hovered);
    Q_INVOKABLE static QColor chipForeground(bool selected, bool hovered);

    // The filled share of a progress line: 0 to 1, nothing for a value that is not a number.
    Q_INVOKABLE static qreal progressFraction(qreal value);
    // A spinner's diameter: the small control from 16 up, the mini one below.
    Q_INVOKABLE static qreal spinnerDiameter(qreal size);
};

import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// A pull-down button of the films and series header: its label on a rounded field, 36 high,
// opening `menu` below itself.
AbstractButton {
    id: root

    property QMMenu menu

    implicitWidth: root.implicitContentWidth + root.leftPadding + root.rightPadding
    implicitHeight: 36
    leftPadding: 12
    rightPadding: 12
    hoverEnabled: true
    onClicked: root.menu.popup(root, 0, root.height + 4)

    background: QMSurface {
        radius: 10
        color: root.hovered ? QM.surface3 : QM.surface2
    }
}

import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// A pull-down of labelled values with a check mark at the current one. `options` are
// {value, label} pairs in menu order; choosing one emits `picked(value)`:
// `QMPicker { selection: setting.value; options: setting.options; onPicked: v => setting.value = v }`.
// A selection that matches no option shows an empty face.
AbstractButton {
    id: root

    property var selection
    property var options: []
    readonly property string selectionLabel: PickerRules.label(root.options, root.selection)

    signal picked(var value)

    hoverEnabled: true
    leftPadding: 12
    rightPadding: 12
    topPadding: 0
    bottomPadding: 0
    implicitWidth: root.implicitContentWidth + root.leftPadding + root.rightPadding
    implicitHeight: 32
    opacity: root.enabled ? 1 : 0.45

    contentItem: Row {
        spacing: 8

        QMText {
            objectName: "face"
            anchors.verticalCenter: parent.verticalCenter
            text: root.selectionLabel
            font: QM.label
            color: QM.text1
        }

        Icon {
            anchors.verticalCenter: parent.verticalCenter
            symbol: "chevron.up.chevron.down"
            size: 9.5
            color: QM.text3
        }
    }

    background: QMSurface {
        color: root.hovered || menu.visible ? QM.surface3 : QM.surface2
        radius: 8
    }

    onClicked: menu.popup(root, 0, root.height + 4)

    QMPickerMenu {
        id: menu

        objectName: "pickerMenu"
        options: root.options
        selection: root.selection
        onPicked: value => root.picked(value)
    }
}

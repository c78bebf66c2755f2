import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// One entry of a QMMenu: a symbol in a column of its own (empty for none, so that titles line
// up), the title, and the danger colour for an action that destroys something.
MenuItem {
    id: root

    property string symbol
    property bool destructive: false
    readonly property color tint: root.destructive ? QM.danger : QM.text1

    hoverEnabled: true
    leftPadding: 8
    rightPadding: 14
    implicitHeight: 28
    opacity: root.enabled ? 1 : 0.45

    contentItem: Row {
        spacing: 8

        Item {
            anchors.verticalCenter: parent.verticalCenter
            width: 14
            height: 14

            Icon {
                anchors.centerIn: parent
                symbol: root.symbol
                size: 11.5
                color: root.tint
            }
        }

        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: root.text
            font: QM.label
            color: root.tint
            textFormat: Text.PlainText
        }
    }

    background: Rectangle {
        radius: 6
        color: root.highlighted && root.enabled ? QM.hover : "transparent"
    }
}

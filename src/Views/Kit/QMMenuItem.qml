import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// An entry of a `QMMenu`: an optional symbol, then the text; an action that destroys something
// is `destructive` and drawn in the danger colour. An entry that is not visible takes no room in
// the menu.
MenuItem {
    id: root

    property string symbol
    property bool destructive: false
    readonly property color tint: !root.enabled ? QM.text3 : root.destructive ? QM.danger : QM.text1

    hoverEnabled: true
    font: QM.label
    height: root.visible ? root.implicitHeight : 0
    implicitHeight: 30
    implicitWidth: root.implicitContentWidth + root.leftPadding + root.rightPadding
    leftPadding: 10
    rightPadding: 14
    topPadding: 0
    bottomPadding: 0

    contentItem: Row {
        spacing: 8

        // Room for a symbol in every entry, so that the texts of a menu line up.
        Item {
            anchors.verticalCenter: parent.verticalCenter
            width: 16
            height: 16

            Icon {
                anchors.centerIn: parent
                symbol: root.symbol
                size: 12
                color: root.tint
            }
        }

        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: root.text
            font: root.font
            color: root.tint
            textFormat: Text.PlainText
        }
    }

    background: Rectangle {
        radius: 6
        antialiasing: true
        color: root.highlighted ? QM.hover : "transparent"
    }
}

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// One item of a shell menu: an optional symbol, the title and, for a command with a key, the
// key at the trailing end. A hidden item takes no room.
MenuItem {
    id: root

    property string symbol
    // Shown at the trailing end; taken from the item's action when it has one.
    property string keys: root.action && root.action.shortcut ? root.action.shortcut.toString() : ""

    hoverEnabled: true
    height: root.visible ? implicitHeight : 0
    implicitHeight: 30
    leftPadding: 10
    rightPadding: 10
    opacity: root.enabled ? 1 : 0.4

    contentItem: RowLayout {
        spacing: 10

        Icon {
            Layout.preferredWidth: 16
            visible: root.symbol.length > 0
            symbol: root.symbol
            size: 13
            color: QM.text2
        }

        Text {
            Layout.fillWidth: true
            text: root.text
            font: QM.label
            color: QM.text1
            elide: Text.ElideRight
            textFormat: Text.PlainText
        }

        Text {
            visible: root.keys.length > 0
            text: root.keys
            textFormat: Text.PlainText
            font: QM.caption
            color: QM.text3
        }
    }

    background: Rectangle {
        radius: 6
        color: root.highlighted || root.hovered ? QM.hover : "transparent"
    }
}

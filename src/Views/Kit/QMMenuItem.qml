import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// An entry of a `QMMenu`: an optional symbol, the text and, for a command with a key, the key at
// the trailing end. An action that destroys something is `destructive` and drawn in the danger
// colour. An entry that is not visible takes no room in the menu.
MenuItem {
    id: root

    property string symbol
    property bool destructive: false
    // Shown at the trailing end; taken from the entry's action when it has one.
    property string keys: root.action && root.action.shortcut ? root.action.shortcut.toString() : ""
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

    contentItem: RowLayout {
        spacing: 8

        // Room for a symbol in every entry, so that the texts of a menu line up.
        Item {
            implicitWidth: 16
            implicitHeight: 16

            Icon {
                anchors.centerIn: parent
                symbol: root.symbol
                size: 12
                color: root.tint
            }
        }

        QMText {
            objectName: "menuEntryText"
            Layout.fillWidth: true
            text: root.text
            font: root.font
            color: root.tint
            elide: Text.ElideRight
        }

        QMText {
            Layout.leftMargin: 16
            visible: root.keys.length > 0
            text: root.keys
            font: QM.caption
            color: QM.text3
        }
    }

    background: Rectangle {
        radius: 6
        antialiasing: true
        color: root.highlighted ? QM.hover : "transparent"
    }
}

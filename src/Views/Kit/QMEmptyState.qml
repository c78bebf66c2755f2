import QtQuick
import Quillmere

// The centred message of a list with nothing to show: a symbol on a soft disc, a title, an
// optional message and, when both `actionTitle` and `action` (a function) are given, a button.
Item {
    id: root

    property string symbol
    property string title
    property string message
    property string actionTitle
    property var action: null

    implicitWidth: Math.max(64, title.implicitWidth, message.visible ? Math.min(message.implicitWidth, 380) : 0,
                            action.visible ? action.width : 0) + 80
    implicitHeight: column.implicitHeight + 80

    Column {
        id: column

        anchors.centerIn: parent
        width: Math.max(0, root.width - 80)
        spacing: 14

        Rectangle {
            anchors.horizontalCenter: parent.horizontalCenter
            width: 64
            height: 64
            radius: 32
            antialiasing: true
            color: QM.accentSoft

            Icon {
                anchors.centerIn: parent
                symbol: root.symbol
                size: 26
                color: QM.accent
            }
        }

        QMText {
            id: title

            objectName: "title"
            anchors.horizontalCenter: parent.horizontalCenter
            width: Math.min(implicitWidth, parent.width)
            text: root.title
            font: QM.h3
            color: QM.text1
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
        }

        QMText {
            id: message

            objectName: "message"
            anchors.horizontalCenter: parent.horizontalCenter
            width: Math.min(implicitWidth, 380, parent.width)
            visible: root.message.length > 0
            text: root.message
            font: QM.body
            color: QM.text2
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
        }

        Item {
            id: action

            anchors.horizontalCenter: parent.horizontalCenter
            width: button.implicitWidth
            height: button.implicitHeight + 4
            visible: root.actionTitle.length > 0 && typeof root.action === "function"

            QMButton {
                id: button

                objectName: "actionButton"
                anchors.bottom: parent.bottom
                text: root.actionTitle
                kind: QMButtonKind.Primary
                onClicked: root.action.call(root)
            }
        }
    }
}

import QtQuick
import Quillmere

// The notices at the bottom of the window, centred, oldest on top: each new one enters at the
// bottom and pushes the others up, and each leaves on its own when its time is up. They take no
// clicks.
Item {
    id: root

    // The shell model's notice rows.
    required property ToastListModel toasts
    readonly property real maximumWidth: 520

    ListView {
        id: list

        objectName: "toastList"
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 28
        width: Math.min(root.maximumWidth, root.width)
        // The rows come newest first, so the newest lies lowest.
        verticalLayoutDirection: ListView.BottomToTop
        spacing: 10
        interactive: false
        enabled: false
        model: root.toasts

        delegate: Item {
            id: row

            required property string text
            required property string symbol
            required property color tint

            width: ListView.view.width
            implicitHeight: card.height

            QMShadow {
                anchors.fill: card
                z: -1
                radius: card.radius
                blur: 18
                offsetY: 8
                shadowColor: QM.shadowNotice
            }

            Rectangle {
                id: card

                objectName: "toastCard"
                anchors.horizontalCenter: parent.horizontalCenter
                width: content.width + 32
                height: content.height + 24
                radius: 10
                antialiasing: true
                color: QM.surface3
                border.width: 1
                border.color: QM.strokeStrong

                Row {
                    id: content

                    anchors.centerIn: parent
                    spacing: 10

                    Icon {
                        id: icon

                        anchors.verticalCenter: parent.verticalCenter
                        symbol: row.symbol
                        size: 15
                        color: row.tint
                    }

                    QMText {
                        objectName: "toastText"
                        anchors.verticalCenter: parent.verticalCenter
                        // As wide as the text, up to the stack's width; longer texts wrap.
                        width: Math.min(Math.ceil(implicitWidth), row.width - 32 - icon.width - content.spacing)
                        text: row.text
                        font: QM.label
                        color: QM.text1
                        wrapMode: Text.Wrap
                        maximumLineCount: 2
                        elide: Text.ElideRight
                    }
                }
            }
        }

        add: Transition {
            NumberAnimation { property: "opacity"; from: 0; to: 1; duration: 300; easing.type: Easing.OutQuad }
            NumberAnimation { property: "y"; from: list.height + 28; duration: 300; easing.type: Easing.OutBack }
        }
        remove: Transition {
            NumberAnimation { property: "opacity"; to: 0; duration: 200; easing.type: Easing.OutQuad }
            NumberAnimation { property: "y"; to: list.height + 28; duration: 200; easing.type: Easing.OutQuad }
        }
        displaced: Transition {
            NumberAnimation { property: "y"; duration: 300; easing.type: Easing.OutBack }
        }
    }
}

import QtQuick
import QtQuick.Layouts
import Quillmere

// The card over the video while a title fails: what went wrong, and Back, the next channel (for
// a live channel in a list) and Try again.
Rectangle {
    id: root

    required property PlayerViewModel screen

    implicitWidth: content.implicitWidth + 64
    implicitHeight: content.implicitHeight + 64
    radius: 20
    antialiasing: true
    color: QM.videoCard
    border.width: 1
    border.color: QM.strokeStrong

    ColumnLayout {
        id: content

        anchors.centerIn: parent
        spacing: 16

        Icon {
            Layout.alignment: Qt.AlignHCenter
            symbol: "exclamationmark.triangle.fill"
            size: 30
            color: QM.warning
        }

        QMText {
            Layout.alignment: Qt.AlignHCenter
            text: "This stream isn't playing"
            font: QM.h2
            color: "white"
        }

        QMText {
            objectName: "errorMessage"
            Layout.alignment: Qt.AlignHCenter
            Layout.maximumWidth: 420
            text: root.screen.status.errorText
            font: QM.body
            color: QM.text2
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }

        RowLayout {
            Layout.alignment: Qt.AlignHCenter
            spacing: 10

            QMButton {
                objectName: "errorBackButton"
                focusPolicy: Qt.NoFocus
                text: "Back"
                symbol: "chevron.left"
                kind: QMButtonKind.Secondary
                onClicked: root.screen.close()
            }

            QMButton {
                objectName: "errorNextChannelButton"
                focusPolicy: Qt.NoFocus
                visible: root.screen.channels.offersNextChannel
                text: "Next channel"
                symbol: "chevron.down"
                kind: QMButtonKind.Secondary
                onClicked: root.screen.zap(1)
            }

            QMButton {
                objectName: "tryAgainButton"
                focusPolicy: Qt.NoFocus
                text: "Try again"
                symbol: "arrow.clockwise"
                kind: QMButtonKind.Primary
                onClicked: root.screen.retry()
            }
        }
    }
}

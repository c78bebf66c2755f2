import QtQuick
import QtQuick.Layouts
import Quillmere

// The bottom bar of a film or episode: the seek bar over the transport row, with "Start over"
// near its leading end and "Next episode" and the volume near its trailing end.
ColumnLayout {
    id: root

    required property PlayerViewModel screen
    readonly property PlayerTransport transport: root.screen.transport

    spacing: 14

    Scrubber {
        objectName: "scrubber"
        Layout.fillWidth: true
        value: root.transport.position
        total: root.transport.length
        enabled: root.transport.seekable
        onScrubbed: (position) => root.screen.scrub(position)
        onCommitted: (position) => root.screen.commitScrub(position)
        onCancelled: root.screen.cancelScrub()
    }

    Item {
        Layout.fillWidth: true
        implicitHeight: transport.implicitHeight

        RowLayout {
            id: transport

            anchors.fill: parent
            spacing: 14

            QMText {
                objectName: "elapsedTime"
                text: root.transport.elapsedText
                font: QM.playerTime
                color: QM.videoTime
            }

            Item {
                Layout.fillWidth: true
            }

            QMIconButton {
                objectName: "skipBackButton"
                focusPolicy: Qt.NoFocus
                symbol: root.transport.skipBackSymbol
                size: 44
                tint: QM.text1
                enabled: root.transport.seekable
                onClicked: root.screen.skip(-1)
            }

            QMIconButton {
                objectName: "playPauseButton"
                focusPolicy: Qt.NoFocus
                symbol: root.transport.playPauseSymbol
                size: 58
                filled: true
                tint: QM.text1
                onClicked: root.screen.playPause()
            }

            QMIconButton {
                objectName: "skipForwardButton"
                focusPolicy: Qt.NoFocus
                symbol: root.transport.skipForwardSymbol
                size: 44
                tint: QM.text1
                enabled: root.transport.seekable
                onClicked: root.screen.skip(1)
            }

            Item {
                Layout.fillWidth: true
            }

            QMText {
                objectName: "remainingTime"
                text: root.transport.remainingText
                font: QM.playerTime
                color: QM.videoTime
            }
        }

        QMButton {
            objectName: "startOverButton"
            focusPolicy: Qt.NoFocus
            anchors.left: parent.left
            anchors.leftMargin: 70
            anchors.verticalCenter: parent.verticalCenter
            visible: root.transport.startOverVisible
            text: "Start over"
            symbol: "arrow.counterclockwise"
            kind: QMButtonKind.Subtle
            compact: true
            onClicked: root.screen.startOver()
        }

        Row {
            anchors.right: parent.right
            anchors.rightMargin: 80
            anchors.verticalCenter: parent.verticalCenter
            spacing: 12

            QMButton {
                id: nextEpisodeButton

                objectName: "nextEpisodeButton"
                focusPolicy: Qt.NoFocus
                anchors.verticalCenter: parent.verticalCenter
                visible: root.transport.hasNextEpisode
                text: "Next episode"
                symbol: "forward.end.fill"
                kind: QMButtonKind.Subtle
                compact: true
                onClicked: root.screen.playNextEpisode()

                HelpTip {
                    text: root.transport.nextEpisodeTip
                    shown: nextEpisodeButton.hovered && root.screen.osd
                }
            }

            PlayerVolumeControl {
                anchors.verticalCenter: parent.verticalCenter
                screen: root.screen
            }
        }
    }
}

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The bottom bar of a film or episode: the seek bar over the transport row, with "Start over"
// near its leading end and "Next episode" and the volume near its trailing end.
ColumnLayout {
    id: root

    required property PlayerViewModel screen
    readonly property PlayerController controller: root.screen.controller

    spacing: 14

    Scrubber {
        objectName: "scrubber"
        Layout.fillWidth: true
        value: root.screen.shownPosition
        total: root.controller ? root.controller.totalTime : 0
        enabled: root.screen.seekable
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

            Text {
                objectName: "elapsedTime"
                text: root.screen.elapsedText
                font: QM.playerTime
                color: QM.videoTime
                textFormat: Text.PlainText
            }

            Item {
                Layout.fillWidth: true
            }

            QMIconButton {
                objectName: "skipBackButton"
                focusPolicy: Qt.NoFocus
                symbol: root.screen.skipBackIcon
                size: 44
                tint: QM.text1
                enabled: root.screen.seekable
                onClicked: root.screen.skip(-1)
            }

            QMIconButton {
                objectName: "playPauseButton"
                focusPolicy: Qt.NoFocus
                symbol: root.screen.playing ? "pause.fill" : "play.fill"
                size: 58
                filled: true
                tint: QM.text1
                onClicked: root.screen.playPause()
            }

            QMIconButton {
                objectName: "skipForwardButton"
                focusPolicy: Qt.NoFocus
                symbol: root.screen.skipForwardIcon
                size: 44
                tint: QM.text1
                enabled: root.screen.seekable
                onClicked: root.screen.skip(1)
            }

            Item {
                Layout.fillWidth: true
            }

            Text {
                objectName: "remainingTime"
                text: root.screen.remainingText
                font: QM.playerTime
                color: QM.videoTime
                textFormat: Text.PlainText
            }
        }

        QMButton {
            objectName: "startOverButton"
            focusPolicy: Qt.NoFocus
            anchors.left: parent.left
            anchors.leftMargin: 70
            anchors.verticalCenter: parent.verticalCenter
            visible: root.screen.startOverVisible
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
                objectName: "nextEpisodeButton"
                focusPolicy: Qt.NoFocus
                anchors.verticalCenter: parent.verticalCenter
                visible: root.screen.hasNextEpisode
                text: "Next episode"
                symbol: "forward.end.fill"
                kind: QMButtonKind.Subtle
                compact: true
                onClicked: root.screen.playNextEpisode()

                HelpTip {
                    text: "Play " + root.screen.nextEpisodeLabel
                    shown: parent.hovered && root.screen.osd
                }
            }

            PlayerVolumeControl {
                anchors.verticalCenter: parent.verticalCenter
                screen: root.screen
            }
        }
    }
}

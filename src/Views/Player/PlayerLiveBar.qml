import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The bottom bar of a live channel: the programme on now with its times and progress, the one up
// next, then the channel buttons and the volume.
ColumnLayout {
    id: root

    required property PlayerViewModel screen

    spacing: 16

    // The programme on now at the leading edge and the next one at the trailing edge, their last
    // lines on one baseline. The title of the one on now runs up to the next one; its description
    // and progress keep to a readable width.
    Item {
        id: programmes

        Layout.fillWidth: true
        implicitHeight: Math.max(now.visible ? now.implicitHeight : noProgramme.implicitHeight,
                                 next.visible ? next.implicitHeight : 0)

        ColumnLayout {
            id: now

            anchors.left: parent.left
            anchors.bottom: parent.bottom
            width: programmes.width - (next.visible ? next.width + 28 : 0)
            visible: root.screen.hasNow
            spacing: 8

            RowLayout {
                spacing: 10

                Text {
                    text: "NOW"
                    font: QM.playerHeading
                    color: QM.accent
                    textFormat: Text.PlainText
                }

                Text {
                    text: root.screen.nowTimes
                    font: QM.playerTime
                    color: QM.videoNowTime
                    textFormat: Text.PlainText
                }

                Text {
                    text: root.screen.nowRemaining
                    font: QM.playerNote
                    color: QM.videoNote
                    textFormat: Text.PlainText
                }
            }

            Text {
                objectName: "nowTitle"
                Layout.fillWidth: true
                text: root.screen.nowTitle
                font: QM.playerNowTitle
                color: "white"
                horizontalAlignment: Text.AlignLeft
                elide: Text.ElideRight
                maximumLineCount: 1
                textFormat: Text.PlainText
            }

            Text {
                objectName: "nowDescription"
                Layout.fillWidth: true
                Layout.maximumWidth: 760
                visible: text.length > 0
                text: root.screen.nowDescription
                font: QM.summary
                color: QM.videoDescription
                horizontalAlignment: Text.AlignLeft
                wrapMode: Text.WordWrap
                elide: Text.ElideRight
                maximumLineCount: 2
                textFormat: Text.PlainText
            }

            QMProgressLine {
                Layout.fillWidth: true
                Layout.maximumWidth: 760
                implicitHeight: 4
                value: root.screen.nowProgress
            }
        }

        Text {
            id: noProgramme

            objectName: "noProgramme"
            anchors.left: parent.left
            anchors.bottom: parent.bottom
            visible: !root.screen.hasNow
            text: root.screen.guideLoading ? "Loading programme information…" : "No programme information"
            font: QM.playerMessage
            color: QM.videoMessage
            textFormat: Text.PlainText
        }

        ColumnLayout {
            id: next

            anchors.right: parent.right
            anchors.bottom: parent.bottom
            width: 280
            visible: root.screen.hasNext
            spacing: 6

            Text {
                text: root.screen.nextHeading
                font: QM.playerHeading
                color: QM.videoNote
                textFormat: Text.PlainText
            }

            Text {
                objectName: "nextTitle"
                Layout.fillWidth: true
                text: root.screen.nextTitle
                font: QM.listTitle
                color: QM.videoNext
                horizontalAlignment: Text.AlignLeft
                elide: Text.ElideRight
                maximumLineCount: 1
                textFormat: Text.PlainText
            }
        }
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 10

        QMButton {
            objectName: "channelsButton"
            focusPolicy: Qt.NoFocus
            text: "Channels"
            symbol: "list.bullet"
            kind: QMButtonKind.Subtle
            compact: true
            enabled: root.screen.channelCount > 0
            onClicked: root.screen.openChannels()

            HelpTip {
                text: "Channel list (L)"
                shown: parent.hovered && root.screen.osd
            }
        }

        QMIconButton {
            objectName: "previousChannelButton"
            focusPolicy: Qt.NoFocus
            symbol: "chevron.up"
            size: 32
            filled: true
            tint: QM.text1
            enabled: root.screen.channelCount >= 2
            onClicked: root.screen.zap(-1)

            HelpTip {
                text: "Previous channel (↑)"
                shown: parent.hovered && root.screen.osd
            }
        }

        QMIconButton {
            objectName: "nextChannelButton"
            focusPolicy: Qt.NoFocus
            symbol: "chevron.down"
            size: 32
            filled: true
            tint: QM.text1
            enabled: root.screen.channelCount >= 2
            onClicked: root.screen.zap(1)

            HelpTip {
                text: "Next channel (↓)"
                shown: parent.hovered && root.screen.osd
            }
        }

        Text {
            visible: text.length > 0
            text: root.screen.channelPosition
            font: QM.channelNumber
            color: QM.videoNote
            textFormat: Text.PlainText
        }

        Item {
            Layout.fillWidth: true
        }

        PlayerVolumeControl {
            screen: root.screen
        }
    }
}

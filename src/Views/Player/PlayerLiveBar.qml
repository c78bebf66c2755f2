import QtQuick
import QtQuick.Layouts
import Quillmere

// The bottom bar of a live channel: the programme on now with its times and progress, the one up
// next, then the channel buttons and the volume.
ColumnLayout {
    id: root

    required property PlayerViewModel screen
    readonly property PlayerProgramme programme: root.screen.programme
    readonly property PlayerChannels channels: root.screen.channels

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
            visible: root.programme.hasNow
            spacing: 8

            RowLayout {
                spacing: 10

                QMText {
                    text: "NOW"
                    font: QM.playerHeading
                    color: QM.accent
                }

                QMText {
                    text: root.programme.nowTimes
                    font: QM.playerTime
                    color: QM.videoNowTime
                }

                QMText {
                    text: root.programme.nowRemaining
                    font: QM.playerNote
                    color: QM.videoNote
                }
            }

            QMText {
                objectName: "nowTitle"
                Layout.fillWidth: true
                text: root.programme.nowTitle
                font: QM.playerNowTitle
                color: "white"
                horizontalAlignment: Text.AlignLeft
                elide: Text.ElideRight
                maximumLineCount: 1
            }

            QMText {
                objectName: "nowDescription"
                Layout.fillWidth: true
                Layout.maximumWidth: 760
                visible: text.length > 0
                text: root.programme.nowDescription
                font: QM.summary
                color: QM.videoDescription
                horizontalAlignment: Text.AlignLeft
                wrapMode: Text.WordWrap
                elide: Text.ElideRight
                maximumLineCount: 2
            }

            QMProgressLine {
                Layout.fillWidth: true
                Layout.maximumWidth: 760
                implicitHeight: 4
                value: root.programme.nowProgress
            }
        }

        QMText {
            id: noProgramme

            objectName: "noProgramme"
            anchors.left: parent.left
            anchors.bottom: parent.bottom
            visible: !root.programme.hasNow
            text: root.programme.placeholder
            font: QM.playerMessage
            color: QM.videoMessage
        }

        ColumnLayout {
            id: next

            anchors.right: parent.right
            anchors.bottom: parent.bottom
            width: 280
            visible: root.programme.hasNext
            spacing: 6

            QMText {
                text: root.programme.nextHeading
                font: QM.playerHeading
                color: QM.videoNote
            }

            QMText {
                objectName: "nextTitle"
                Layout.fillWidth: true
                text: root.programme.nextTitle
                font: QM.listTitle
                color: QM.videoNext
                horizontalAlignment: Text.AlignLeft
                elide: Text.ElideRight
                maximumLineCount: 1
            }
        }
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 10

        QMButton {
            id: channelsButton

            objectName: "channelsButton"
            focusPolicy: Qt.NoFocus
            text: "Channels"
            symbol: "list.bullet"
            kind: QMButtonKind.Subtle
            compact: true
            enabled: root.channels.canList
            onClicked: root.screen.openChannels()

            HelpTip {
                text: "Channel list (L)"
                shown: channelsButton.hovered && root.screen.osd
            }
        }

        QMIconButton {
            id: previousChannelButton

            objectName: "previousChannelButton"
            focusPolicy: Qt.NoFocus
            symbol: "chevron.up"
            size: 32
            filled: true
            tint: QM.text1
            enabled: root.channels.canZap
            onClicked: root.screen.zap(-1)

            HelpTip {
                text: "Previous channel (↑)"
                shown: previousChannelButton.hovered && root.screen.osd
            }
        }

        QMIconButton {
            id: nextChannelButton

            objectName: "nextChannelButton"
            focusPolicy: Qt.NoFocus
            symbol: "chevron.down"
            size: 32
            filled: true
            tint: QM.text1
            enabled: root.channels.canZap
            onClicked: root.screen.zap(1)

            HelpTip {
                text: "Next channel (↓)"
                shown: nextChannelButton.hovered && root.screen.osd
            }
        }

        QMText {
            visible: text.length > 0
            text: root.channels.position
            font: QM.channelNumber
            color: QM.videoNote
        }

        Item {
            Layout.fillWidth: true
        }

        PlayerVolumeControl {
            screen: root.screen
        }
    }
}

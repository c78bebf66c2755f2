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

                Text {
                    text: "NOW"
                    font: QM.font(11, 700, 1.2)
                    color: QM.accent
                    textFormat: Text.PlainText
                }

                Text {
                    text: root.programme.nowTimes
                    font: QM.font(12.5, 500)
                    color: Qt.rgba(1, 1, 1, 0.7)
                    textFormat: Text.PlainText
                }

                Text {
                    text: root.programme.nowRemaining
                    font: QM.font(12.5)
                    color: Qt.rgba(1, 1, 1, 0.5)
                    textFormat: Text.PlainText
                }
            }

            Text {
                objectName: "nowTitle"
                Layout.fillWidth: true
                text: root.programme.nowTitle
                font: QM.font(22, 600)
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
                text: root.programme.nowDescription
                font: QM.font(13.5)
                color: Qt.rgba(1, 1, 1, 0.68)
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
                value: root.programme.nowProgress
            }
        }

        Text {
            id: noProgramme

            objectName: "noProgramme"
            anchors.left: parent.left
            anchors.bottom: parent.bottom
            visible: !root.programme.hasNow
            text: root.programme.placeholder
            font: QM.font(15, 500)
            color: Qt.rgba(1, 1, 1, 0.6)
            textFormat: Text.PlainText
        }

        ColumnLayout {
            id: next

            anchors.right: parent.right
            anchors.bottom: parent.bottom
            width: 280
            visible: root.programme.hasNext
            spacing: 6

            Text {
                text: root.programme.nextHeading
                font: QM.font(11, 700, 1.2)
                color: Qt.rgba(1, 1, 1, 0.5)
                textFormat: Text.PlainText
            }

            Text {
                objectName: "nextTitle"
                Layout.fillWidth: true
                text: root.programme.nextTitle
                font: QM.font(15, 600)
                color: Qt.rgba(1, 1, 1, 0.85)
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

        Text {
            visible: text.length > 0
            text: root.channels.position
            font: QM.font(12, 500)
            color: Qt.rgba(1, 1, 1, 0.5)
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

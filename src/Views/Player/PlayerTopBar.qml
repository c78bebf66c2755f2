import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The player's top row: Back, the channel's logo, number and title with the subtitle under them,
// then the favourite, tracks and full-screen buttons at the trailing end.
RowLayout {
    id: root

    required property PlayerViewModel screen

    spacing: 16

    QMIconButton {
        objectName: "backButton"
        focusPolicy: Qt.NoFocus
        symbol: "chevron.left"
        size: 40
        filled: true
        tint: QM.text1
        onClicked: root.screen.close()

        HelpTip {
            text: "Back (Esc)"
            shown: parent.hovered && root.screen.osd
        }
    }

    ChannelLogo {
        visible: root.screen.hasLogo
        url: root.screen.logoUrl
        title: root.screen.logoTitle
        size: 38
    }

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 4

        RowLayout {
            spacing: 10

            Text {
                visible: root.screen.channelNumber.length > 0
                text: root.screen.channelNumber
                font: QM.playerChannelNumber
                color: QM.accent
                textFormat: Text.PlainText
            }

            Text {
                objectName: "playerTitle"
                Layout.fillWidth: true
                text: root.screen.title
                font: QM.playerTitle
                color: "white"
                horizontalAlignment: Text.AlignLeft
                elide: Text.ElideRight
                maximumLineCount: 1
                textFormat: Text.PlainText
            }
        }

        Text {
            Layout.fillWidth: true
            visible: root.screen.subtitle.length > 0
            text: root.screen.subtitle
            font: QM.playerSubtitle
            color: QM.videoSubtitle
            horizontalAlignment: Text.AlignLeft
            elide: Text.ElideRight
            maximumLineCount: 1
            textFormat: Text.PlainText
        }
    }

    QMIconButton {
        objectName: "favouriteButton"
        focusPolicy: Qt.NoFocus
        visible: root.screen.canFavourite
        symbol: root.screen.favourite ? "heart.fill" : "heart"
        size: 40
        filled: true
        tint: root.screen.favourite ? QM.accent : "white"
        onClicked: root.screen.toggleFavourite()

        HelpTip {
            text: root.screen.favourite ? "Remove from favourites" : "Add to favourites"
            shown: parent.hovered && root.screen.osd
        }
    }

    PlayerTracksMenu {
        screen: root.screen
    }

    QMIconButton {
        objectName: "fullScreenButton"
        focusPolicy: Qt.NoFocus
        symbol: root.screen.isFullScreen ? "arrow.down.right.and.arrow.up.left" : "arrow.up.left.and.arrow.down.right"
        size: 40
        filled: true
        tint: QM.text1
        onClicked: root.screen.toggleFullScreen()

        HelpTip {
            text: "Full screen (F)"
            shown: parent.hovered && root.screen.osd
        }
    }
}

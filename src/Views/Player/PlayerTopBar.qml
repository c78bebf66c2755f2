import QtQuick
import QtQuick.Layouts
import Quillmere

// The player's top row: Back, the channel's logo, number and title with the subtitle under them,
// then the favourite, tracks and full-screen buttons at the trailing end.
RowLayout {
    id: root

    required property PlayerViewModel screen
    readonly property PlayerHeader header: root.screen.header

    spacing: 16

    QMIconButton {
        id: backButton

        objectName: "backButton"
        focusPolicy: Qt.NoFocus
        symbol: "chevron.left"
        size: 40
        filled: true
        tint: QM.text1
        onClicked: root.screen.close()

        HelpTip {
            text: "Back (Esc)"
            shown: backButton.hovered && root.screen.osd
        }
    }

    ChannelLogo {
        visible: root.header.hasLogo
        url: root.header.logoUrl
        title: root.header.logoTitle
        size: 38
    }

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 4

        RowLayout {
            spacing: 10

            QMText {
                visible: root.header.channelNumber.length > 0
                text: root.header.channelNumber
                font: QM.playerChannelNumber
                color: QM.accent
            }

            QMText {
                objectName: "playerTitle"
                Layout.fillWidth: true
                text: root.header.title
                font: QM.playerTitle
                color: "white"
                horizontalAlignment: Text.AlignLeft
                elide: Text.ElideRight
                maximumLineCount: 1
            }
        }

        QMText {
            Layout.fillWidth: true
            visible: root.header.subtitle.length > 0
            text: root.header.subtitle
            font: QM.playerSubtitle
            color: QM.videoSubtitle
            horizontalAlignment: Text.AlignLeft
            elide: Text.ElideRight
            maximumLineCount: 1
        }
    }

    QMIconButton {
        id: favouriteButton

        objectName: "favouriteButton"
        focusPolicy: Qt.NoFocus
        visible: root.header.canFavourite
        symbol: root.header.favouriteSymbol
        size: 40
        filled: true
        tint: root.header.favourite ? QM.accent : "white"
        onClicked: root.screen.toggleFavourite()

        HelpTip {
            text: root.header.favouriteTip
            shown: favouriteButton.hovered && root.screen.osd
        }
    }

    PlayerTracksMenu {
        screen: root.screen
    }

    QMIconButton {
        id: fullScreenButton

        objectName: "fullScreenButton"
        focusPolicy: Qt.NoFocus
        symbol: root.header.fullScreenSymbol
        size: 40
        filled: true
        tint: QM.text1
        onClicked: root.screen.toggleFullScreen()

        HelpTip {
            text: "Full screen (F)"
            shown: fullScreenButton.hovered && root.screen.osd
        }
    }
}

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The panel of the selected channel: close button, logo, number and name, watch and favourite
// buttons, the programme on now and what comes up next.
Rectangle {
    id: root

    // The page's clock, which moves what is on now.
    property alias tick: panel.tick

    objectName: "channelPanel"
    color: QM.sidePanel

    ChannelInfoPanelModel {
        id: panel

        objectName: "panelModel"
        app: AppModel
    }

    ScrollView {
        anchors.fill: parent
        contentWidth: availableWidth

        ColumnLayout {
            x: 22
            width: parent.width - 44
            spacing: 18

            RowLayout {
                Layout.topMargin: 22
                Item { Layout.fillWidth: true }

                QMIconButton {
                    objectName: "closePanelButton"
                    symbol: "xmark"
                    size: 28
                    filled: false
                    tint: QM.text3
                    onClicked: panel.close()
                }
            }

            Rectangle {
                Layout.fillWidth: true
                implicitHeight: 150
                radius: 14
                antialiasing: true
                gradient: Gradient {
                    GradientStop { position: 0; color: QM.surface2 }
                    GradientStop { position: 1; color: QM.surface1 }
                }

                Artwork {
                    anchors.fill: parent
                    memory: ArtworkMemory
                    url: panel.artworkURL
                    title: panel.plainTitle
                    contentMode: Artwork.Fit
                    maxPixel: 480
                    fallbackFont: 30
                    logoPadding: 30
                    radius: 14
                }

                Rectangle {
                    anchors.fill: parent
                    radius: 14
                    antialiasing: true
                    color: "transparent"
                    border.width: 1
                    border.color: QM.stroke
                }
            }

            ColumnLayout {
                Layout.fillWidth: true
                spacing: 6

                Row {
                    spacing: 8

                    QMBadge {
                        objectName: "numberBadge"
                        anchors.verticalCenter: parent.verticalCenter
                        visible: panel.numberText.length > 0
                        text: panel.numberText
                        color: QM.text2
                        fill: QM.badgeFill
                    }

                    LiveBadge {
                        anchors.verticalCenter: parent.verticalCenter
                    }
                }

                QMText {
                    objectName: "panelTitle"
                    Layout.fillWidth: true
                    text: panel.title
                    font: QM.h2
                    color: QM.text1
                    wrapMode: Text.Wrap
                    maximumLineCount: 2
                    elide: Text.ElideRight
                }
            }

            RowLayout {
                Layout.fillWidth: true
                spacing: 10

                QMButton {
                    objectName: "watchButton"
                    Layout.fillWidth: true
                    text: "Watch now"
                    symbol: "play.fill"
                    kind: QMButtonKind.Primary
                    onClicked: panel.watch()
                }

                QMButton {
                    id: favouriteButton

                    objectName: "favouriteButton"
                    kind: QMButtonKind.Secondary
                    onClicked: panel.toggleFavourite()

                    HelpTip {
                        text: panel.favouriteTip
                        shown: favouriteButton.hovered
                        delay: 800
                    }

                    // The symbol alone, centred.
                    contentItem: Icon {
                        symbol: panel.favourite ? "heart.fill" : "heart"
                        size: 14
                        color: panel.favourite ? QM.accent : QM.text1
                    }
                }
            }

            OnNowCard {
                Layout.fillWidth: true
                visible: panel.hasCurrent
                panel: panel
            }

            ComingUp {
                Layout.fillWidth: true
                Layout.bottomMargin: 24
                panel: panel
            }
        }
    }
}

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// One episode of the season shown: its still with the watched share, the number, length and
// whether it was watched, the title and the plot. A click plays it; its menu plays it from the
// start or forgets its history.
QMRowButton {
    id: root

    required property int index
    required property string numberTitle
    required property string durationText
    required property string title
    required property string plot
    required property url artworkURL
    required property var fraction
    required property bool watched
    required property bool hasProgress
    required property DetailPageModel page

    objectName: "episode:" + root.index
    radius: 14
    padding: 10
    onClicked: root.page.playEpisode(root.index, true)

    TapHandler {
        acceptedButtons: Qt.RightButton
        onTapped: point => menu.popup(root, point.position.x, point.position.y)
    }

    QMMenu {
        id: menu

        QMMenuItem {
            objectName: "playEntry"
            text: "Play"
            symbol: "play.fill"
            onTriggered: root.page.playEpisode(root.index, true)
        }

        QMMenuItem {
            objectName: "fromStartEntry"
            text: "Play from start"
            symbol: "arrow.counterclockwise"
            onTriggered: root.page.playEpisode(root.index, false)
        }

        QMMenuItem {
            objectName: "unwatchedEntry"
            visible: root.hasProgress
            text: "Mark as unwatched"
            symbol: "eye.slash"
            onTriggered: root.page.markUnwatched(root.index)
        }
    }

    // The plot's lines stand 2 apart.
    FontMetrics {
        id: plotMetrics

        font: QM.body
    }

    contentItem: RowLayout {
        spacing: 18

        Item {
            Layout.alignment: Qt.AlignTop
            implicitWidth: 200
            implicitHeight: 112

            Artwork {
                anchors.fill: parent
                memory: ArtworkMemory
                url: root.artworkURL
                title: root.title
                contentMode: Artwork.Fill
                maxPixel: 420
                fallbackFont: 18
                logoPadding: 0
                radius: 10
            }

            QMProgressLine {
                objectName: "watchedShare"
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                anchors.margins: 8
                visible: typeof root.fraction === "number"
                height: 3
                value: visible ? root.fraction : 0
                tint: QM.accent
            }

            Rectangle {
                anchors.fill: parent
                radius: 10
                antialiasing: true
                color: "transparent"
                border.width: 1
                border.color: QM.stroke
            }
        }

        ColumnLayout {
            Layout.alignment: Qt.AlignTop
            Layout.topMargin: 6
            Layout.fillWidth: true
            Layout.minimumWidth: 0
            spacing: 6

            Row {
                spacing: 8

                QMText {
                    anchors.verticalCenter: parent.verticalCenter
                    text: root.numberTitle.toUpperCase()
                    font: QM.eyebrow
                    color: QM.accent
                }

                QMText {
                    anchors.verticalCenter: parent.verticalCenter
                    visible: root.durationText.length > 0
                    text: root.durationText
                    font: QM.caption
                    color: QM.text3
                }

                Row {
                    objectName: "watchedLabel"
                    anchors.verticalCenter: parent.verticalCenter
                    visible: root.watched
                    spacing: 4

                    Icon {
                        anchors.verticalCenter: parent.verticalCenter
                        symbol: "checkmark"
                        size: 11
                        color: QM.text3
                    }

                    QMText {
                        anchors.verticalCenter: parent.verticalCenter
                        text: "Watched"
                        font: QM.caption
                        color: QM.text3
                    }
                }
            }

            QMText {
                Layout.fillWidth: true
                text: TitleText.isolated(root.title)
                font: QM.listTitle
                color: QM.text1
                maximumLineCount: 1
                elide: Text.ElideRight
            }

            QMText {
                Layout.fillWidth: true
                visible: root.plot.length > 0
                text: root.plot
                font: QM.body
                color: QM.text2
                wrapMode: Text.Wrap
                maximumLineCount: 2
                elide: Text.ElideRight
                lineHeightMode: Text.FixedHeight
                lineHeight: plotMetrics.height + 2
            }
        }

        Icon {
            Layout.alignment: Qt.AlignTop
            Layout.topMargin: 38
            Layout.rightMargin: 8
            symbol: "play.circle.fill"
            size: 28
            color: QM.accent
        }
    }
}

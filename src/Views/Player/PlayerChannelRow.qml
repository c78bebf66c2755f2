import QtQuick
import QtQuick.Layouts
import Quillmere

// One channel of the player's channel panel: number, name and the programme on air with its
// progress; the playing channel in the accent colour, the highlighted one outlined.
Item {
    id: root

    required property int index
    required property string number
    required property string title
    required property string name
    required property url artworkUrl
    required property bool playing
    required property bool highlighted
    required property bool hasProgramme
    required property string programmeTitle
    required property real programmeProgress
    required property PlayerChannelPanelModel panel

    implicitHeight: 56

    Rectangle {
        anchors.fill: parent
        radius: 10
        antialiasing: true
        color: root.highlighted ? QM.surface3 : root.playing ? QM.accentSoft : "transparent"
        border.width: root.highlighted ? 1 : 0
        border.color: QM.accentFocus
    }

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 10
        anchors.rightMargin: 10
        spacing: 12

        // Kept for a channel without a number too, so that the names line up.
        QMText {
            Layout.preferredWidth: 42
            visible: root.panel.showNumbers
            text: root.number
            font: QM.panelNumber
            color: QM.text3
            horizontalAlignment: Text.AlignRight
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 8
            maximumLineCount: 1
        }

        ChannelLogo {
            url: root.artworkUrl
            title: root.name
            size: 30
        }

        ColumnLayout {
            Layout.fillWidth: true
            spacing: 3

            RowLayout {
                Layout.fillWidth: true
                spacing: 6

                Icon {
                    visible: root.playing
                    symbol: "waveform"
                    size: 10
                    color: QM.accent
                }

                QMText {
                    objectName: "channelTitle"
                    Layout.fillWidth: true
                    text: root.title
                    font: QM.itemTitle
                    color: root.playing ? QM.accent : "white"
                    horizontalAlignment: Text.AlignLeft
                    elide: Text.ElideRight
                    maximumLineCount: 1
                }
            }

            QMText {
                Layout.fillWidth: true
                visible: root.hasProgramme
                text: root.programmeTitle
                font: QM.cardSubtitle
                color: QM.text2
                horizontalAlignment: Text.AlignLeft
                elide: Text.ElideRight
                maximumLineCount: 1
            }

            QMProgressLine {
                Layout.fillWidth: true
                Layout.maximumWidth: 160
                implicitHeight: 2
                visible: root.hasProgramme
                value: root.programmeProgress
            }
        }
    }

    HoverHandler {
        onHoveredChanged: {
            if (hovered)
                root.panel.hover(root.index);
        }
    }

    TapHandler {
        onTapped: root.panel.activate(root.index)
    }

    Component.onCompleted: root.panel.rowShown(root.index)
}

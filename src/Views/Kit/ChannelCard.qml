import QtQuick
import Quillmere

// A live channel as a landscape tile with its logo, a "LIVE" badge and the programme's progress
// while the guide has one, and the channel's name and programme below. Draw it as the content of
// a `QMCardButton`. `item` is a MediaItemValue or an object with its fields: title, artworkURL,
// nowTitle, nowStart, nowEnd. The progress is as fresh as the card's last build.
Item {
    id: root

    property var item: ({})
    // The item's fields; an item not there yet reads as one without any.
    readonly property var fields: root.item ?? ({})
    property bool cardHovered: false

    readonly property bool onAir: root.fields.nowTitle !== undefined && root.fields.nowTitle !== null

    implicitWidth: 240
    implicitHeight: tile.height + 9 + texts.implicitHeight

    Item {
        id: tile

        width: root.width
        height: CardRules.channelTileHeight(root.width)
        // One picture while the card button scales it, so that no seams show in its badge.
        layer.enabled: root.cardHovered
        layer.smooth: true

        Rectangle {
            anchors.fill: parent
            radius: 12
            antialiasing: true
            gradient: Gradient {
                GradientStop { position: 0; color: QM.surface2 }
                GradientStop { position: 1; color: QM.surface1 }
            }
        }

        Artwork {
            objectName: "artwork"
            anchors.fill: parent
            memory: ArtworkMemory
            url: root.fields.artworkURL ?? ""
            title: root.fields.title ?? ""
            contentMode: Artwork.Fit
            maxPixel: 320
            fallbackFont: 22
            logoPadding: 22
            radius: 12
        }

        LiveBadge {
            objectName: "liveBadge"
            anchors.top: parent.top
            anchors.left: parent.left
            anchors.margins: 8
            visible: root.onAir
        }

        Rectangle {
            anchors.fill: parent
            radius: 12
            antialiasing: true
            color: "transparent"
            border.width: root.cardHovered ? 2 : 1
            border.color: root.cardHovered ? QM.accent : QM.stroke
        }

        QMProgressLine {
            objectName: "progress"
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            anchors.leftMargin: 10
            anchors.rightMargin: 10
            anchors.bottomMargin: 8
            visible: root.onAir
            height: 3
            value: root.onAir ? CardRules.programmeProgressNow(root.fields.nowStart, root.fields.nowEnd) : 0
            tint: QM.accent
        }
    }

    Column {
        id: texts

        y: tile.height + 9
        width: root.width
        spacing: 3

        QMText {
            objectName: "title"
            width: parent.width
            text: TitleText.isolated(root.fields.title ?? "")
            font: QM.cardTitle
            color: QM.text1
            maximumLineCount: 1
            elide: Text.ElideRight
        }

        QMText {
            objectName: "subtitle"
            width: parent.width
            text: CardRules.channelSubtitle(root.fields.nowTitle)
            font: QM.cardSubtitle
            color: QM.text3
            maximumLineCount: 1
            elide: Text.ElideRight
        }
    }
}

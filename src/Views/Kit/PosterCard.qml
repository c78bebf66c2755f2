import QtQuick
import Quillmere

// A film or series as a portrait poster with its title and one line below: the `subtitle` given,
// else the item's first two genres. Draw it as the content of a `QMCardButton`, which tells it
// `cardHovered`. `item` is a MediaItemValue (a list model's `item` role) or an object with the
// same fields: title, artworkURL, rating, isFavourite, genre. `progress` (0 to 1) adds a watch
// progress line; the height follows from `width`.
Item {
    id: root

    property var item: ({})
    // The item's fields; an item not there yet reads as one without any.
    readonly property var fields: root.item ?? ({})
    property var subtitle
    property var progress
    property bool cardHovered: false

    readonly property real posterHeight: CardRules.posterHeight(root.width)
    readonly property var subtitleLine: CardRules.subtitleLine(root.subtitle, root.fields.genre)
    readonly property string ratingText: NumberText.rating(root.fields.rating)

    implicitWidth: 160
    implicitHeight: root.posterHeight + 8 + texts.implicitHeight

    QMShadow {
        anchors.fill: poster
        radius: 12
        blur: root.cardHovered ? 16 : 8
        offsetY: root.cardHovered ? 10 : 4
        shadowColor: root.cardHovered ? QM.shadowRaised : QM.shadowCard
    }

    Item {
        id: poster

        width: root.width
        height: root.posterHeight
        // Drawn as one picture while the card button scales it, so that the software renderer
        // leaves no seams in its badges.
        layer.enabled: root.cardHovered
        layer.smooth: true

        Artwork {
            objectName: "artwork"
            anchors.fill: parent
            memory: ArtworkMemory
            url: root.fields.artworkURL ?? ""
            title: root.fields.title ?? ""
            contentMode: Artwork.Fill
            maxPixel: CardRules.posterMaxPixel(root.width)
            fallbackFont: CardRules.posterFallbackFont(root.width)
            logoPadding: 0
            radius: 12
            outline: QM.stroke
            // Drawn at its own pixels; while the card grows under the pointer its layer smooths
            // it, and a grid scrolled fast draws many of them.
            smooth: false
        }

        Rectangle {
            objectName: "rating"
            anchors.top: parent.top
            anchors.right: parent.right
            anchors.margins: 8
            visible: root.ratingText.length > 0
            width: rating.implicitWidth + 12
            height: rating.implicitHeight + 6
            radius: height / 2
            antialiasing: true
            color: QM.artworkBadge

            Row {
                id: rating

                anchors.centerIn: parent
                spacing: 3

                Icon {
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: "star.fill"
                    size: 8.5
                    color: QM.text1
                }

                QMText {
                    anchors.verticalCenter: parent.verticalCenter
                    text: root.ratingText
                    font: QM.ratingBadge
                    color: QM.text1
                }
            }
        }

        // Badges few cards show are made only for those, so that a grid makes its cards quickly.
        Loader {
            objectName: "favourite"
            anchors.top: parent.top
            anchors.left: parent.left
            anchors.margins: 8
            active: root.fields.isFavourite === true
            visible: active

            sourceComponent: Rectangle {
                width: heart.implicitWidth + 12
                height: width
                radius: width / 2
                antialiasing: true
                color: QM.artworkBadge

                Icon {
                    id: heart

                    anchors.centerIn: parent
                    symbol: "heart.fill"
                    size: 10
                    color: QM.accent
                }
            }
        }

        Loader {
            id: progressLine

            objectName: "progress"
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            anchors.margins: 10
            height: 3
            active: typeof root.progress === "number"
            visible: active

            sourceComponent: QMProgressLine {
                tint: QM.accent
            }

            Binding {
                target: progressLine.item
                property: "value"
                value: root.progress
            }
        }

        // The accent edge of a card under the pointer, over the artwork's own hairline.
        Rectangle {
            anchors.fill: parent
            visible: root.cardHovered
            radius: 12
            antialiasing: true
            color: "transparent"
            border.width: 2
            border.color: QM.accent
        }
    }

    Column {
        id: texts

        y: poster.height + 8
        width: root.width
        spacing: 3

        QMText {
            objectName: "title"
            width: parent.width
            text: TitleText.isolated(root.fields.title ?? "")
            font: QM.cardTitle
            color: QM.text1
            opacity: root.cardHovered ? 1 : 0.92
            wrapMode: Text.Wrap
            maximumLineCount: 2
            elide: Text.ElideRight
        }

        QMText {
            objectName: "subtitle"
            width: parent.width
            visible: root.subtitleLine !== undefined
            text: root.subtitleLine ?? ""
            font: QM.cardSubtitle
            color: QM.text3
            maximumLineCount: 1
            elide: Text.ElideRight
        }
    }
}

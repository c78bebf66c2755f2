import QtQuick
import Quillmere

// A titled row of cards that scrolls sideways, with two arrows that page through it:
// `Shelf { title: "Continue watching"; model: items; delegate: posterButton }`. Items
// declared inside it go at the right of the heading, before the arrows. Cards are made only as
// they come into view.
Column {
    id: root

    property string title
    property string subtitle
    property alias model: row.model
    property alias delegate: row.delegate
    default property alias trailing: trailingContent.data
    // Where the row is scrolled to, from its leading edge.
    readonly property real offset: row.contentX - row.originX + row.leftMargin

    // Moves the row back (-1) or on (+1) by most of its visible width.
    function scroll(direction: int): void {
        const extent = row.contentWidth + row.leftMargin + row.rightMargin;
        const target = CardRules.shelfScrollTarget(root.offset, row.width, extent, direction);
        scrollAnimation.stop();
        scrollAnimation.to = target + row.originX - row.leftMargin;
        scrollAnimation.start();
    }

    spacing: 14

    Item {
        id: heading

        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 40
        anchors.rightMargin: 40
        height: Math.max(titleText.implicitHeight, arrows.height, trailingContent.childrenRect.height)

        Row {
            anchors.left: parent.left
            anchors.right: trailingContent.left
            anchors.rightMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            spacing: 12
            clip: true

            QMText {
                id: titleText

                objectName: "title"
                text: root.title
                font: QM.h2
                color: QM.text1
            }

            QMText {
                objectName: "subtitle"
                anchors.baseline: titleText.baseline
                visible: root.subtitle.length > 0
                text: root.subtitle
                font: QM.caption
                color: QM.text3
            }
        }

        Item {
            id: trailingContent

            anchors.right: arrows.left
            anchors.rightMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            width: childrenRect.width
            height: childrenRect.height
        }

        Row {
            id: arrows

            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            spacing: 12

            QMIconButton {
                objectName: "scrollBack"
                symbol: "chevron.left"
                size: 30
                filled: true
                tint: QM.text1
                onClicked: root.scroll(-1)
            }

            QMIconButton {
                objectName: "scrollOn"
                symbol: "chevron.right"
                size: 30
                filled: true
                tint: QM.text1
                onClicked: root.scroll(1)
            }
        }
    }

    // Padded 8 above and below inside, and as much taken back outside, so that a card may grow
    // and cast its shadow without being cut.
    Item {
        anchors.left: parent.left
        anchors.right: parent.right
        height: row.height - 16

        ShelfRow {
            id: row

            objectName: "row"
            shelf: root
            y: -8
            width: parent.width
            height: (row.contentItem.childrenRect.height > 0 ? row.contentItem.childrenRect.height : 0) + 16
            orientation: ListView.Horizontal
            spacing: 18
            leftMargin: 40
            rightMargin: 40
            topMargin: 8
            bottomMargin: 8
            clip: true
            boundsBehavior: Flickable.StopAtBounds

            NumberAnimation {
                id: scrollAnimation

                target: row
                property: "contentX"
                duration: 350
                easing.type: Easing.InOutQuad
            }
        }
    }
}

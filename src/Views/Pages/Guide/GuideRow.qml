import QtQuick
import Quillmere

// One channel of the guide: the channel cell, which plays the channel, and the lane of the
// programmes in the visible window, each of which opens its sheet. Built from few plain items and
// reused as the list scrolls, since rows come and go with every frame of a scroll.
Item {
    id: root

    required property int index
    required property string title
    required property var number
    required property url artworkURL
    property GuidePageModel page

    // Asks for the grid's one tooltip over `area` of `item`, or for none (an empty text).
    signal tipRequested(Item item, rect area, string text)

    readonly property bool showsNumber: root.page.showNumbers && root.number !== undefined

    implicitHeight: 64

    Rectangle {
        objectName: "channelCell"
        width: 250
        height: root.height
        color: QMStyle.rowFill(false, channelPointer.containsMouse, channelPointer.pressed)
        // Drawn once into a picture that scrolling only moves.
        layer.enabled: true

        Rectangle {
            anchors.fill: parent
            z: -1
            color: QM.bg1
        }

        QMText {
            id: number

            x: 12
            width: 40
            anchors.verticalCenter: parent.verticalCenter
            visible: root.showsNumber
            text: NumberText.channel(root.number)
            font: QM.small
            color: QM.text3
            horizontalAlignment: Text.AlignRight
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 11 * 0.7
            elide: Text.ElideRight
            maximumLineCount: 1
        }

        ChannelLogo {
            id: logo

            x: root.showsNumber ? number.x + number.width + 10 : 12
            anchors.verticalCenter: parent.verticalCenter
            url: root.artworkURL
            title: root.title
            size: 32
        }

        QMText {
            x: logo.x + logo.width + 10
            width: 250 - 12 - x
            anchors.verticalCenter: parent.verticalCenter
            text: TitleText.isolated(root.title)
            font: QM.guideChannel
            color: QM.text1
            wrapMode: Text.Wrap
            maximumLineCount: 2
            elide: Text.ElideRight
        }

        MouseArea {
            id: channelPointer

            anchors.fill: parent
            hoverEnabled: true
            onClicked: root.page.playChannel(root.index)
            onContainsMouseChanged: root.tipRequested(parent, Qt.rect(0, 0, 250, root.height),
                                                    channelPointer.containsMouse ? "Watch " + root.title : "")
        }
    }

    GuideLane {
        id: lane

        page: root.page
        row: root.index
    }

    GuideLaneView {
        objectName: "laneView"
        x: 250
        width: root.width - 250
        height: root.height
        lane: lane
        onHoveredChanged: root.tipRequested(this, hoveredRect, hoveredTitle)
    }

    Rectangle {
        anchors.bottom: parent.bottom
        width: root.width
        height: 1
        color: QM.stroke
    }
}

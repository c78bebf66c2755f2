import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// The guide's grid: the time ruler of the shown day over a list of channel rows, and the now
// line across the rows. Only the rows on screen and a margin around them are built.
Item {
    id: root

    required property GuidePageModel page

    Rectangle {
        id: ruler

        objectName: "ruler"
        width: root.width
        height: 30
        color: QM.bg1

        Text {
            objectName: "rulerDay"
            x: 18
            width: 250 - 18
            anchors.verticalCenter: parent.verticalCenter
            text: root.page.dayTitle.toUpperCase()
            font: QM.font(11, 600, 1)
            color: QM.text3
            elide: Text.ElideRight
            textFormat: Text.PlainText
        }

        Item {
            x: 250
            width: ruler.width - 250
            height: ruler.height
            clip: true

            Repeater {
                model: root.page.ruler

                Text {
                    required property string label
                    required property real position

                    x: position
                    anchors.verticalCenter: parent.verticalCenter
                    text: label
                    font: QM.font(11.5, 600)
                    color: QM.text2
                    textFormat: Text.PlainText
                }
            }
        }
    }

    Rectangle {
        y: ruler.height
        width: root.width
        height: 1
        color: QM.stroke
    }

    ListView {
        id: rows

        objectName: "guideRows"
        y: ruler.height + 1
        width: root.width
        height: root.height - y
        clip: true
        model: root.page.channels
        // Two rows beyond each edge, so that a short scroll finds them built and read.
        cacheBuffer: 2 * 64
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}

        reuseItems: true

        delegate: GuideRow {
            page: root.page
            width: rows.width
            onTipRequested: (item, area, text) => {
                tip.shown = false;
                if (text.length === 0)
                    return;
                tip.parent = item;
                tip.x = area.x + 8;
                tip.y = area.y + area.height + 4;
                tip.text = text;
                tip.shown = true;
            }
        }
    }

    // One tooltip for every cell of the grid, moved to the one under the pointer.
    HelpTip {
        id: tip

        objectName: "cellTip"
        delay: 800
    }

    Rectangle {
        objectName: "nowLine"
        x: 250 + root.page.nowLineX
        y: rows.y
        width: 2
        height: Math.min(rows.contentHeight, rows.height)
        visible: root.page.nowLineVisible
        color: QM.live
    }

    // Over everything of the grid: sideways moves turn the time line, the rest reach the rows.
    GuideWheelArea {
        anchors.fill: parent
        page: root.page
    }
}

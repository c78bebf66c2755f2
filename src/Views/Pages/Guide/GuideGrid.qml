import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// The guide's grid: the time ruler of the shown day over a list of channel rows, and the now
// line across the rows. Only the rows on screen and a margin around them are built.
Item {
    id: root

    required property GuidePageModel page

    // Moves the grid's one tooltip over `area` of `item` with `text`, or hides it for no text.
    function showTip(item: Item, area: rect, text: string): void {
        tip.shown = false;
        if (text.length === 0)
            return;
        tip.parent = item;
        tip.x = area.x + 8;
        tip.y = area.y + area.height + 4;
        tip.text = text;
        tip.shown = true;
    }

    Rectangle {
        id: ruler

        objectName: "ruler"
        width: root.width
        height: 30
        color: QM.bg1

        QMText {
            objectName: "rulerDay"
            x: 18
            width: 250 - 18
            anchors.verticalCenter: parent.verticalCenter
            text: root.page.dayTitle.toUpperCase()
            font: QM.eyebrow
            color: QM.text3
            elide: Text.ElideRight
        }

        Item {
            x: 250
            width: ruler.width - 250
            height: ruler.height
            clip: true

            Repeater {
                model: root.page.ruler

                QMText {
                    required property string label
                    required property real position

                    x: position
                    anchors.verticalCenter: parent.verticalCenter
                    text: label
                    font: QM.timeLabel
                    color: QM.text2
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

        // Each row finds the grid through its list, a child of the grid.
        delegate: GuideRow {
            id: row

            readonly property GuideGrid grid: row.ListView.view.parent as GuideGrid

            page: row.grid.page
            width: row.ListView.view.width
            onTipRequested: (item, area, text) => row.grid.showTip(item, area, text)
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

import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// The films and series grid: the page's columns of posters, 22 apart with 26 between rows, cells
// made only as they come into view; each reports itself so that the next page loads in time.
GridView {
    id: root

    required property VodPageModel page
    required property ItemMenu itemMenu
    required property MediaItemListModel items

    objectName: "posterGrid"
    clip: true
    boundsBehavior: Flickable.StopAtBounds
    // A column is its card and the gap after it; the right margin leaves out the last gap, so
    // that exactly the page's columns fit.
    leftMargin: 32
    rightMargin: 32 - 22
    topMargin: 6
    bottomMargin: 40
    cellWidth: root.page.cardWidth + 22
    cellHeight: tallest.implicitHeight + 26
    model: root.items
    ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }
    // Whenever the list grows (once its new cells are laid out) or the end comes into view, the
    // grid tells the page which poster its view ends with.
    onCountChanged: laidOut.restart()
    onAtYEndChanged: if (root.atYEnd) root.reportView()

    function reportView(): void {
        const corner = root.indexAt(root.contentX + root.width - root.rightMargin - 1, root.contentY + root.height - 1);
        root.page.gridMoved(corner, root.atYEnd);
    }

    Timer {
        id: laidOut

        interval: 0
        onTriggered: root.reportView()
    }

    // The tallest a card gets (a title of two lines and a subtitle): every row takes its height.
    PosterCard {
        id: tallest

        visible: false
        width: root.page.cardWidth
        item: ({ title: "Wide title that always fills two lines of the card", genre: "Drama" })
    }

    delegate: QMCardButton {
        id: cell

        required property var item
        required property int index
        readonly property PosterGridView grid: cell.GridView.view as PosterGridView

        objectName: "poster:" + cell.index
        implicitWidth: cell.grid.page.cardWidth
        implicitHeight: poster.implicitHeight
        radius: 14
        onClicked: cell.grid.page.openDetail(cell.index)
        Component.onCompleted: cell.grid.page.posterShown(cell.index)

        PosterCard {
            id: poster

            width: cell.grid.page.cardWidth
            item: cell.item
            cardHovered: cell.cardHovered
        }

        TapHandler {
            acceptedButtons: Qt.RightButton
            onTapped: point => cell.grid.itemMenu.openFor(cell.item, cell, point.position)
        }
    }

    footer: Item {
        id: footer

        readonly property PosterGridView grid: footer.GridView.view as PosterGridView

        width: footer.grid.width - footer.grid.leftMargin - footer.grid.rightMargin
        height: footer.grid.page.pagingSpinner ? spinner.height + 30 : 0

        QMSpinner {
            id: spinner

            objectName: "pagingSpinner"
            anchors.horizontalCenter: parent.horizontalCenter
            size: 18
            visible: footer.grid.page.pagingSpinner
            running: footer.grid.page.pagingSpinner
        }
    }
}

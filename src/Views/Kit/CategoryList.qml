import QtQuick
import Quillmere

// The list of the category column: all items and the favourites, then every shown category with
// its count, then the column's message. It opens at its top, with the chosen category scrolled
// into view. A right click on a category asks for its menu.
QMListView {
    id: root

    required property CategoryColumnModel column

    // A right click at `position` of the row of the category at `row`.
    signal menuRequested(int row, Item anchor, point position)

    objectName: "categoryList"
    clip: true
    spacing: 1
    bottomMargin: 16
    boundsBehavior: Flickable.StopAtBounds
    model: root.column.rows
    openingRow: root.column.selectedRow

    header: Column {
        id: header

        readonly property CategoryList list: header.ListView.view as CategoryList

        width: header.list.width
        spacing: 1

        CategoryColumnRow {
            objectName: "allRow"
            width: parent.width
            symbol: "square.grid.2x2"
            title: TitleText.isolated(header.list.column.allTitle)
            count: header.list.column.allCount
            selected: header.list.column.allSelected
            onClicked: header.list.column.chooseAll()
        }

        CategoryColumnRow {
            objectName: "favouritesRow"
            width: parent.width
            symbol: selected ? "heart.fill" : "heart"
            title: TitleText.isolated("Favourites")
            selected: header.list.column.favouritesSelected
            onClicked: header.list.column.chooseFavourites()
        }

        Item {
            width: parent.width
            height: 13

            Rectangle {
                anchors.verticalCenter: parent.verticalCenter
                x: 6
                width: parent.width - 12
                height: 1
                color: QM.stroke
            }
        }
    }

    delegate: CategoryColumnRow {
        id: row

        required property int index
        required property string providerID
        required title
        required count
        required selected
        readonly property CategoryList list: row.ListView.view as CategoryList

        objectName: "category-" + row.providerID
        width: row.list.width
        onClicked: row.list.column.chooseCategory(row.index)

        TapHandler {
            acceptedButtons: Qt.RightButton
            onTapped: point => row.list.menuRequested(row.index, row, point.position)
        }
    }

    footer: Item {
        id: footer

        readonly property CategoryList list: footer.ListView.view as CategoryList

        width: footer.list.width
        height: message.text.length > 0 ? message.implicitHeight : 0

        QMText {
            id: message

            objectName: "message"
            width: parent.width
            visible: text.length > 0
            padding: 12
            text: footer.list.column.message
            font: QM.caption
            color: QM.text3
            wrapMode: Text.Wrap
        }
    }
}

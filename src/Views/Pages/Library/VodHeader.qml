import QtQuick
import QtQml.Models
import Quillmere

// The films and series header: the scope's title and the count, then the search field, the sort
// menu and the poster-size menu.
PageHeader {
    id: root

    required property VodPageModel page
    required property BrowseModel browse

    // A category's name comes from the provider and may run right to left.
    title: TitleText.isolated(root.page.title)
    subtitle: root.page.countLine

    Row {
        spacing: 10

        QMSearchField {
            objectName: "vodSearch"
            anchors.verticalCenter: parent.verticalCenter
            width: 240
            height: 36
            prompt: root.page.searchPrompt
            text: root.browse.query
            onTextEdited: root.browse.query = text
        }

        VodMenuButton {
            objectName: "sortButton"
            anchors.verticalCenter: parent.verticalCenter
            menu: sortMenu
            contentItem: Row {
                spacing: 7

                Icon {
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: "arrow.up.arrow.down"
                    size: 11.5
                    color: QM.text1
                }

                QMText {
                    anchors.verticalCenter: parent.verticalCenter
                    text: root.page.sortLabel
                    font: QM.label
                    color: QM.text1
                }
            }
        }

        VodMenuButton {
            id: posterSizeButton

            objectName: "posterSizeButton"
            anchors.verticalCenter: parent.verticalCenter
            implicitWidth: 36
            leftPadding: 0
            rightPadding: 0
            menu: sizeMenu

            HelpTip {
                text: "Poster size"
                shown: posterSizeButton.hovered
            }

            contentItem: Item {
                Icon {
                    anchors.centerIn: parent
                    symbol: "square.grid.3x3"
                    size: 13
                    color: QM.text1
                }
            }
        }
    }

    QMPickerMenu {
        id: sortMenu

        heading: "Sort"
        entryPrefix: "sort:"
        options: root.page.sortOptions
        selection: root.browse.sort
        onPicked: value => root.browse.sort = value
    }

    QMPickerMenu {
        id: sizeMenu

        heading: "Poster size"
        entryPrefix: "size:"
        options: root.page.posterSizes
        selection: root.page.posterSize
        onPicked: value => root.page.posterSize = value
    }
}

import QtQuick
import QtQuick.Layouts
import Quillmere

// The films or series page of a browse model: the category column, the header, and a grid of
// posters that loads page by page as it scrolls (or a panel when there is nothing to show).
Rectangle {
    id: root

    required property BrowseModel browse

    color: QM.bg0

    VodPageModel {
        id: pageModel

        objectName: "pageModel"
        app: AppModel
        browse: root.browse
    }

    ItemMenu {
        id: itemMenu

        app: AppModel
        onFavouriteToggled: favourite => pageModel.favouriteChanged(itemMenu.item, favourite)
    }

    RowLayout {
        anchors.fill: parent
        spacing: 0

        CategoryColumn {
            id: categories

            Layout.fillHeight: true
            model: root.browse
            app: AppModel
            pageWidth: root.width
        }

        Rectangle {
            Layout.fillHeight: true
            implicitWidth: 1
            color: QM.stroke
        }

        ColumnLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.minimumWidth: categories.contentMinimumWidth
            spacing: 0

            VodHeader {
                Layout.fillWidth: true
                Layout.leftMargin: 32
                Layout.rightMargin: 32
                Layout.topMargin: 28
                Layout.bottomMargin: 16
                page: pageModel
                browse: root.browse
            }

            Item {
                id: body

                Layout.fillWidth: true
                Layout.fillHeight: true
                onWidthChanged: pageModel.availableWidth = body.width
                Component.onCompleted: pageModel.availableWidth = body.width

                QMEmptyState {
                    objectName: "panel"
                    anchors.fill: parent
                    visible: pageModel.body !== "grid"
                    symbol: pageModel.panelIcon
                    title: pageModel.panelTitle
                    message: pageModel.panelMessage
                }

                PosterGridView {
                    anchors.fill: parent
                    visible: pageModel.body === "grid"
                    page: pageModel
                    itemMenu: itemMenu
                    items: root.browse.items
                }
            }
        }
    }
}

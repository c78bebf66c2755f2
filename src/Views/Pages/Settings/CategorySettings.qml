import QtQuick
import Quillmere

// The "Categories" section: the order and visibility of one kind's categories for the active
// playlist, and the hidden languages of the whole library. The section scrolls as one list
// whose header holds everything above the category rows, so that only the rows in view are made.
QMListView {
    id: root

    readonly property real sideMargin: 40
    readonly property real columnWidth: Math.max(0, Math.min(root.width, 900) - 2 * root.sideMargin)
    readonly property CategorySettingsModel settings: categorySettings

    objectName: "categoryList"
    // No current row: a current row would take the keyboard from the filter field in the header
    // whenever the filter changes the rows.
    currentIndex: -1
    keyNavigationEnabled: false
    clip: true
    boundsBehavior: Flickable.StopAtBounds
    model: categorySettings.hasActive ? categorySettings.rows : null

    CategorySettingsModel {
        id: categorySettings

        objectName: "categorySettings"
        app: AppModel
    }

    header: CategorySettingsHeader {
        id: header

        readonly property CategorySettings list: header.ListView.view as CategorySettings

        x: header.list.sideMargin
        width: header.list.columnWidth
        settings: header.list.settings
    }

    delegate: CategoryRow {
        id: row

        readonly property CategorySettings list: row.ListView.view as CategorySettings

        x: row.list.sideMargin
        width: row.list.columnWidth
        settings: row.list.settings
    }

    footer: Item {
        id: footer

        width: (footer.ListView.view as CategorySettings).columnWidth
        height: 40
    }

    // The card behind the rows, which start at the top of the list's content (the header lies
    // above it).
    QMSurface {
        parent: root.contentItem
        z: -1
        x: root.sideMargin
        y: 0
        width: root.columnWidth
        height: root.count * 44
        visible: root.count > 0
        color: QM.surface1
        radius: 14
    }
}

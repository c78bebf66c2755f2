import QtQuick
import QtQuick.Layouts
import Quillmere

// The TV guide: the header with the search field, the category menu, the day chips and the time
// buttons; below it the grid of channels by time, or a message when there are no channels. A
// picked programme opens its sheet.
Item {
    id: root

    objectName: "guidePage"

    GuidePageModel {
        id: model

        objectName: "pageModel"
        app: AppModel
        width: root.width
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        GuideHeader {
            Layout.fillWidth: true
            page: model
        }

        QMEmptyState {
            objectName: "emptyState"
            Layout.fillWidth: true
            Layout.fillHeight: true
            visible: model.showEmptyState
            symbol: "calendar"
            title: model.emptyTitle
            message: "Pick another category from the menu above."
        }

        GuideGrid {
            Layout.fillWidth: true
            Layout.fillHeight: true
            visible: !model.showEmptyState
            page: model
        }
    }

    // One sheet a picked programme, made afresh for each.
    Loader {
        id: sheet

        function follow(): void {
            sheet.source = "";
            if (model.selectionID.length > 0)
                sheet.setSource(Qt.resolvedUrl("ProgrammeSheet.qml"), { page: model });
        }

        Connections {
            target: model

            function onSelectionIDChanged(): void {
                sheet.follow();
            }
        }
    }
}

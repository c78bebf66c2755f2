import QtQuick
import QtQuick.Layouts
import Quillmere

// The detail page's scrolling column: the hero with its actions and, for a series, the episodes'
// heading and one row an episode, made as they scroll into view. It keeps its place when its
// rows are read anew. Until the user scrolls, it stays at its top while the header grows (the
// episode list's heading, chips and message arrive after the hero).
QMListView {
    id: root

    required property DetailPageModel page
    // How far below its top the page stood before its rows were replaced (another season
    // chosen, the episodes refreshed): a list read anew would start at its top again.
    property real keptY: 0

    function keepPlace(): void {
        root.contentY = root.originY - root.topMargin + root.keptY;
        root.returnToBounds();
    }

    objectName: "detailList"
    topMargin: 84
    bottomMargin: 48
    spacing: 10
    boundsBehavior: Flickable.StopAtBounds
    model: root.page.isSeries ? root.page.episodes : null

    header: ColumnLayout {
        id: header

        readonly property DetailList list: header.ListView.view as DetailList

        x: 48
        width: header.list.width - 96
        spacing: 34

        DetailHero {
            Layout.fillWidth: true
            page: header.list.page
        }

        EpisodesHeader {
            Layout.fillWidth: true
            Layout.bottomMargin: 18 - header.list.spacing
            visible: header.list.page.isSeries
            page: header.list.page
        }
    }

    delegate: EpisodeRow {
        id: episode

        readonly property DetailList list: episode.ListView.view as DetailList

        x: 48
        width: episode.list.width - 96
        page: episode.list.page
    }

    Connections {
        target: root.page.episodes

        function onModelAboutToBeReset(): void {
            root.keptY = root.contentY - root.originY + root.topMargin;
        }

        function onModelReset(): void {
            if (root.scrolled)
                restorePlace.start();
        }
    }

    // Once the list has laid out its new rows.
    Timer {
        id: restorePlace

        interval: 0
        onTriggered: root.keepPlace()
    }
}

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The detail page of the film or series the application model holds, over the current page:
// a blurred backdrop, the hero with its actions, and for a series its episodes, one row each,
// made as they scroll into view. Back or Escape closes it.
Rectangle {
    id: root

    color: QM.bg0

    DetailPageModel {
        id: pageModel

        objectName: "pageModel"
        app: AppModel
    }

    Item {
        objectName: "backdrop"
        width: root.width
        height: Math.min(0.8 * root.height, 620)
        clip: true

        DetailBackdrop {
            anchors.fill: parent
            memory: ArtworkMemory
            url: pageModel.artworkURL
            title: pageModel.title
            blurRadius: 60
            opacity: 0.45
        }

        Rectangle {
            anchors.fill: parent
            gradient: Gradient {
                GradientStop { position: 0; color: Qt.alpha(QM.bg0, 0.2) }
                GradientStop { position: 1; color: QM.bg0 }
            }
        }
    }

    ListView {
        id: list

        // Until the user scrolls, the page stays at its top while the header grows (the episode
        // list's heading, chips and message arrive after the hero).
        property bool scrolled: false
        // How far below its top the page stood before its rows were replaced (another season
        // chosen, the episodes refreshed): a list read anew would start at its top again.
        property real keptY: 0

        function keepPlace(): void {
            list.contentY = list.originY - list.topMargin + list.keptY;
            list.returnToBounds();
        }

        objectName: "detailList"
        anchors.fill: parent
        onMovementStarted: list.scrolled = true
        onOriginYChanged: if (!list.scrolled) list.contentY = list.originY - list.topMargin
        topMargin: 84
        bottomMargin: 48
        spacing: 10
        boundsBehavior: Flickable.StopAtBounds
        model: pageModel.isSeries ? pageModel.episodes : null
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

        header: ColumnLayout {
            x: 48
            width: list.width - 96
            spacing: 34

            DetailHero {
                Layout.fillWidth: true
                page: pageModel
            }

            EpisodesHeader {
                Layout.fillWidth: true
                Layout.bottomMargin: 18 - list.spacing
                visible: pageModel.isSeries
                page: pageModel
            }
        }

        delegate: EpisodeRow {
            x: 48
            width: list.width - 96
            page: pageModel
        }

        Connections {
            target: pageModel.episodes

            function onModelAboutToBeReset(): void {
                list.keptY = list.contentY - list.originY + list.topMargin;
            }

            function onModelReset(): void {
                if (list.scrolled)
                    restorePlace.start();
            }
        }

        // Once the list has laid out its new rows.
        Timer {
            id: restorePlace

            interval: 0
            onTriggered: list.keepPlace()
        }
    }

    QMButton {
        objectName: "backButton"
        x: 40
        y: 34
        text: "Back"
        symbol: "chevron.left"
        kind: QMButtonKind.Subtle
        compact: true
        onClicked: pageModel.back()
    }

    Shortcut {
        sequences: [StandardKey.Cancel]
        // Not while the player covers the pageModel.
        enabled: !PlaybackWindowController.hasTarget
        onActivated: pageModel.back()
    }
}

import QtQuick
import Quillmere

// The window's content: the shell, the update banner over its bottom-right corner while nothing
// plays, and, while an update is required, the card that covers everything.
Item {
    id: root

    AppShell {
        anchors.fill: parent
    }

    Column {
        objectName: "banners"
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 20
        spacing: 10
        visible: !PlaybackWindowController.hasTarget
        z: 250

        BannerRow {
            objectName: "updateBanner"
            anchors.right: parent.right
            visible: AppUpdater.banner !== undefined
            symbol: "arrow.down.circle"
            tint: QM.accent
            text: AppUpdater.banner ? "Quillmere " + AppUpdater.banner.version + " is available" : ""
            actionTitle: "Download"
            onAction: AppUpdater.open()
            onClose: AppUpdater.dismissed = true
        }
    }

    Rectangle {
        objectName: "mandatoryUpdate"
        anchors.fill: parent
        visible: AppUpdater.blocking !== undefined
        z: 500
        color: QM.bg0

        // Nothing below takes a click or a key while an update is required.
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.AllButtons
            hoverEnabled: true
            onWheel: wheel => wheel.accepted = true
        }

        Loader {
            anchors.centerIn: parent
            active: parent.visible
            sourceComponent: MandatoryUpdateSheet {
                info: AppUpdater.blocking
                onDownload: AppUpdater.open()
            }
        }
    }
}

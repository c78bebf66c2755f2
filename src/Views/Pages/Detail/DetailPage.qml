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
                GradientStop { position: 0; color: QM.backdropFade }
                GradientStop { position: 1; color: QM.bg0 }
            }
        }
    }

    DetailList {
        anchors.fill: parent
        page: pageModel
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
        sequence: "Escape"
        // Not while the player covers the page.
        enabled: !PlaybackWindowController.hasTarget
        onActivated: pageModel.back()
    }
}

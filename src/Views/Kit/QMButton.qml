import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// A text button, optionally with a symbol before its title and the key of its command after it,
// in one of five looks:
// `QMButton { text: "Play"; symbol: "play.fill"; kind: QMButtonKind.Primary; compact: false }`.
// Tab gives it the keyboard, which a ring around it then shows; Space, Return and Enter click it.
AbstractButton {
    id: root

    property int kind: QMButtonKind.Primary
    property bool compact: false
    property string symbol
    property string keys

    hoverEnabled: true
    implicitWidth: root.implicitContentWidth + root.leftPadding + root.rightPadding
    implicitHeight: root.compact ? 30 : 38
    leftPadding: root.compact ? 12 : 16
    rightPadding: root.leftPadding
    topPadding: 0
    bottomPadding: 0
    spacing: 7
    opacity: QMStyle.buttonOpacity(root.enabled)
    scale: QMStyle.buttonScale(root.down)
    // Drawn as one picture while scaled, so that the software renderer shows no seams in it.
    layer.enabled: root.scale !== 1
    layer.smooth: true

    Behavior on scale {
        NumberAnimation { duration: 80; easing.type: Easing.OutQuad }
    }

    // As a desktop's buttons do, rather than leaving the key to the dialog's default action.
    Keys.onReturnPressed: root.clicked()
    Keys.onEnterPressed: root.clicked()

    contentItem: QMButtonLabel {
        symbol: root.symbol
        text: root.text
        keys: root.keys
        spacing: root.spacing
        font: root.compact ? QM.label : QM.button
        color: QMStyle.buttonForeground(root.kind, root.enabled, root.hovered)
    }

    background: QMSurface {
        radius: 10
        color: QMStyle.buttonFill(root.kind, root.enabled, root.hovered, root.down)
        stroke: QMStyle.buttonBordered(root.kind)

        Behavior on color {
            ColorAnimation { duration: 120; easing.type: Easing.OutQuad }
        }

        // Shown for the keyboard's focus only, not after a click.
        Rectangle {
            objectName: "focusRing"
            anchors.fill: parent
            anchors.margins: -3
            visible: root.visualFocus
            radius: (parent as QMSurface).radius + 3
            antialiasing: true
            color: "transparent"
            border.width: 2
            border.color: QM.accentFocus
        }
    }
}

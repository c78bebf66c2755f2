import QtQuick
import Quillmere

// The soft shadow of a rounded panel. Fill it over the panel and put it behind:
// `QMShadow { anchors.fill: card; z: -1; radius: card.radius }`; it reaches `blur` pixels beyond
// the panel on every side, moved down by `offsetY`.
BorderImage {
    id: root

    property int radius: 14
    property int blur: 18
    property real offsetY: 4
    property color shadowColor: QM.shadowRaised
    readonly property var patch: QM.shadow(root.radius, root.blur, root.shadowColor)

    anchors.leftMargin: -root.patch.outset
    anchors.rightMargin: -root.patch.outset
    anchors.topMargin: -root.patch.outset + root.offsetY
    anchors.bottomMargin: -root.patch.outset - root.offsetY
    source: root.patch.source
    border.left: root.patch.border
    border.right: root.patch.border
    border.top: root.patch.border
    border.bottom: root.patch.border
    cache: true
    // The nine-patch's edges are the same all along and its corners are drawn at their own size,
    // so plain sampling draws the same shadow as smooth sampling, only faster.
    smooth: false
}

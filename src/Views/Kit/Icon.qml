import QtQuick
import Quillmere

// A symbol by name, drawn from the icon font: `Icon { symbol: "play.fill"; size: 12 }`. `size` is
// the symbol's nominal size; the square it takes is a little larger, since the font's glyphs
// keep a margin inside their box.
Item {
    id: root

    property string symbol
    property real size: 13
    property color color: QM.text1
    readonly property real box: Icons.glyphSize(root.size)

    implicitWidth: root.symbol.length > 0 ? root.box : 0
    implicitHeight: root.implicitWidth

    QMText {
        id: glyph

        anchors.centerIn: parent
        text: Icons.glyph(root.symbol)
        font: QM.iconFont(root.box)
        color: root.color
        transform: Scale {
            origin.x: glyph.width / 2
            xScale: Icons.mirrored(root.symbol) ? -1 : 1
        }
    }

    QMText {
        anchors.centerIn: parent
        anchors.verticalCenterOffset: root.box * 0.07
        visible: text.length > 0
        text: Icons.label(root.symbol)
        font: Icons.labelFont(root.box)
        color: root.color
    }
}

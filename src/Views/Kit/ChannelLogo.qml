import QtQuick
import Quillmere

// A channel's logo in a small rounded tile `size` high and 1.45 times as wide, fitted with some
// room around it; the title's initials when there is no logo.
Rectangle {
    id: root

    property url url
    property string title
    property real size: 40

    implicitWidth: CardRules.logoWidth(root.size)
    implicitHeight: root.size
    radius: 8
    antialiasing: true
    color: QM.surface2

    Artwork {
        objectName: "artwork"
        anchors.fill: parent
        memory: ArtworkMemory
        url: root.url
        title: root.title
        contentMode: Artwork.Fit
        maxPixel: CardRules.logoMaxPixel(root.size)
        fallbackFont: CardRules.logoFallbackFont(root.size)
        logoPadding: CardRules.logoPadding(root.size)
        radius: root.radius
    }
}

import QtQuick
import QtQuick.Layouts
import Quillmere

// The video site's shortcut buttons in a row: `shortcuts` are {title, icon, address}; a click
// reports the address chosen.
RowLayout {
    id: root

    required property var shortcuts

    signal chosen(string address)

    spacing: 10

    Repeater {
        model: root.shortcuts

        // Each button reports through its parent, the row itself.
        QMButton {
            id: shortcut

            required property var modelData

            objectName: "shortcut:" + shortcut.modelData.title
            text: shortcut.modelData.title
            symbol: shortcut.modelData.icon
            kind: QMButtonKind.Secondary
            compact: true
            onClicked: (shortcut.parent as SiteShortcuts).chosen(shortcut.modelData.address)
        }
    }
}

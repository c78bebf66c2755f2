import QtQuick
import Quillmere

// The heading of a section of a shell menu; it takes no clicks. Hidden, it takes no room.
Item {
    id: root

    property alias text: label.text

    implicitWidth: label.implicitWidth
    implicitHeight: root.visible ? label.implicitHeight : 0

    Text {
        id: label

        leftPadding: 10
        topPadding: 6
        bottomPadding: 4
        font: QM.caption
        color: QM.text3
        textFormat: Text.PlainText
    }
}

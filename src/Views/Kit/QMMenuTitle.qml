import QtQuick
import Quillmere

// The heading of a group of a `QMMenu`; it takes no clicks. Hidden, it takes no room.
Item {
    id: root

    property alias text: label.text

    implicitWidth: label.implicitWidth
    implicitHeight: root.visible ? label.implicitHeight : 0

    QMText {
        id: label

        leftPadding: 10
        topPadding: 6
        bottomPadding: 4
        font: QM.caption
        color: QM.text3
    }
}

import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// A hairline between the sections of a shell menu. Hidden, it takes no room.
MenuSeparator {
    id: root

    height: root.visible ? implicitHeight : 0
    topPadding: 4
    bottomPadding: 4
    contentItem: Rectangle {
        implicitHeight: 1
        color: QM.stroke
    }
}

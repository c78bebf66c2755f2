import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// A hairline between groups of a `QMMenu`. Hidden, it takes no room.
MenuSeparator {
    id: root

    height: root.visible ? root.implicitHeight : 0
    topPadding: 4
    bottomPadding: 4
    leftPadding: 6
    rightPadding: 6

    contentItem: Rectangle {
        implicitHeight: 1
        color: QM.stroke
    }
}

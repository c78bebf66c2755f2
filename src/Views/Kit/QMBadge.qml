import QtQuick
import Quillmere

// A short capitalised word on a coloured plate: `QMBadge { text: "NEW"; color: QM.accent; fill: QM.accentSoft }`.
Item {
    id: root

    property alias text: label.text
    // The text's colour.
    property color color: QM.text1
    // The plate's colour.
    property color fill: QM.surface3

    implicitWidth: label.implicitWidth + 14
    implicitHeight: label.implicitHeight + 6

    Rectangle {
        anchors.fill: parent
        radius: 5
        antialiasing: true
        color: root.fill
    }

    QMText {
        id: label

        anchors.centerIn: parent
        font: QM.badge
        color: root.color
    }
}

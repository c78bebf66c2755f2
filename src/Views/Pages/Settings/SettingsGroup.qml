import QtQuick
import Quillmere

// A titled card of settings rows: `SettingsGroup { title: "Player"; SettingsRow {} }`. An
// empty title shows no heading.
Column {
    id: root

    property string title
    default property alias rows: card.data

    spacing: 10

    QMOverline {
        objectName: "groupTitle"
        visible: root.title.length > 0
        leftPadding: 4
        text: root.title
    }

    QMSurface {
        width: root.width
        height: card.implicitHeight
        color: QM.surface1
        radius: 14

        Column {
            id: card

            width: parent.width
        }
    }
}

import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// A settings section other than "Categories": its title and content in a scrolling column at
// most 860 wide, against the leading edge.
Flickable {
    id: root

    required property string section
    readonly property var sections: ({
        "General": general,
        "Playback": playback,
        "Live TV": live,
        "Updates": updates,
        "Privacy & data": privacy
    })

    objectName: "sectionView"
    clip: true
    contentWidth: width
    contentHeight: column.height
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar {}

    Column {
        id: column

        x: 40
        width: Math.max(0, Math.min(root.width, 860) - 80)
        topPadding: 46
        bottomPadding: 40
        spacing: 18

        QMText {
            objectName: "sectionTitle"
            bottomPadding: 4
            text: root.section
            font: QM.h2
            color: QM.text1
        }

        Loader {
            width: column.width
            sourceComponent: root.sections[root.section] ?? about
        }
    }

    Component { id: general; GeneralSettings {} }
    Component { id: playback; PlaybackSettings {} }
    Component { id: live; LiveSettings {} }
    Component { id: updates; UpdateSettings {} }
    Component { id: privacy; DataSettings {} }
    Component { id: about; AboutSettings {} }
}

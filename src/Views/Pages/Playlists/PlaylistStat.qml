import QtQuick
import Quillmere

// One health column of a playlist card: "Catalogue", "TV guide" or "Connection", when it was
// last updated, and its last error or an extra line.
Column {
    id: root

    required property var stat

    spacing: 5

    QMOverline {
        width: root.width
        text: root.stat.title
    }

    QMText {
        objectName: "updated"
        width: root.width
        text: root.stat.updated
        font: QM.label
        color: root.stat.dated ? QM.text1 : QM.text2
        elide: Text.ElideRight

        HoverHandler {
            id: hover
        }

        HelpTip {
            text: root.stat.dateHelp
            shown: hover.hovered
        }
    }

    QMText {
        objectName: "note"
        width: root.width
        visible: text.length > 0
        text: root.stat.error.length > 0 ? root.stat.error : root.stat.extra
        font: QM.caption
        color: root.stat.error.length > 0 ? QM.warning : QM.text3
        wrapMode: Text.Wrap
    }
}

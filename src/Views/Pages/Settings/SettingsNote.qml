import QtQuick
import Quillmere

// A short note under a section's groups.
QMText {
    width: parent ? parent.width : implicitWidth
    leftPadding: 4
    font: QM.caption
    color: QM.text3
    wrapMode: Text.Wrap
}

import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// A pull-down or context menu on a dark panel; its items are QMMenuItems and MenuSeparators.
Menu {
    topPadding: 5
    bottomPadding: 5
    leftPadding: 5
    rightPadding: 5

    background: QMSurface {
        implicitWidth: 180
        color: QM.surface3
        radius: 10
    }

    delegate: QMMenuItem {}
}

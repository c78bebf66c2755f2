import QtQuick
import QtQuick.Window

// The one main window. The shell is placed inside it as later views arrive.
Window {
    id: root

    objectName: "main"
    width: 1440
    height: 900
    minimumWidth: 1040
    minimumHeight: 660
    visible: true
    title: qsTr("Quillmere")
    color: Qt.rgba(0.02, 0.03, 0.06, 1)
}

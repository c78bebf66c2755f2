import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// The menu of a QMPicker: one item per option, the current one with a check mark.
Menu {
    id: root

    property var options: []
    property var selection

    signal picked(var value)

    topPadding: 5
    bottomPadding: 5
    leftPadding: 5
    rightPadding: 5

    background: QMSurface {
        implicitWidth: 160
        color: QM.surface3
        radius: 10
    }

    Instantiator {
        model: root.options
        onObjectAdded: (index, object) => root.insertItem(index, object)
        onObjectRemoved: (index, object) => root.removeItem(object)

        delegate: MenuItem {
            id: item

            required property var modelData
            readonly property bool current: item.modelData.value === root.selection

            objectName: "option-" + item.modelData.value
            hoverEnabled: true
            leftPadding: 8
            rightPadding: 14
            implicitHeight: 28
            onTriggered: root.picked(item.modelData.value)

            contentItem: Row {
                spacing: 6

                Item {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 14
                    height: 14

                    Icon {
                        anchors.centerIn: parent
                        visible: item.current
                        symbol: "checkmark"
                        size: 11
                        color: QM.text1
                    }
                }

                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: item.modelData.label
                    font: QM.label
                    color: QM.text1
                    textFormat: Text.PlainText
                }
            }

            background: Rectangle {
                radius: 6
                color: item.highlighted ? QM.hover : "transparent"
            }
        }
    }
}

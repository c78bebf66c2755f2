import QtQuick
import QtQuick.Layouts
import Quillmere

// The Live TV page: the category column, the header with the search field, the channel list or
// a message in its place, and the panel of the selected channel, which slides in beside the list,
// or over the list's trailing part where the page is too narrow for both.
Item {
    id: root

    readonly property int panelWidth: 361
    readonly property bool panelBeside: root.width >= 300 + 1 + categories.contentMinimumWidth + root.panelWidth

    objectName: "livePage"

    LivePageModel {
        id: model

        objectName: "pageModel"
        app: AppModel
    }

    RowLayout {
        anchors.fill: parent
        spacing: 0

        CategoryColumn {
            id: categories

            Layout.fillHeight: true
            model: AppModel.live
            app: AppModel
            pageWidth: root.width
        }

        Rectangle {
            Layout.fillHeight: true
            implicitWidth: 1
            color: QM.stroke
        }

        ColumnLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.minimumWidth: categories.contentMinimumWidth
            spacing: 0

            PageHeader {
                Layout.fillWidth: true
                Layout.leftMargin: 28
                Layout.rightMargin: 28
                Layout.topMargin: 28
                Layout.bottomMargin: 14
                title: model.title
                subtitle: model.countLine

                QMSearchField {
                    objectName: "searchField"
                    width: 240
                    height: 36
                    prompt: "Search channels"
                    text: AppModel.live.query
                    onTextEdited: AppModel.live.query = text
                }
            }

            ChannelList {
                Layout.fillWidth: true
                Layout.fillHeight: true
                page: model
            }
        }

        // The panel's room beside the list, when there is room for both.
        Item {
            Layout.fillHeight: true
            Layout.preferredWidth: root.panelBeside ? panelArea.width : 0
        }
    }

    QMShadow {
        anchors.fill: panelArea
        visible: !root.panelBeside && panelArea.width > 0
        radius: 0
        offsetY: 0
    }

    // The selected channel's panel; a new one for each channel.
    Item {
        id: panelArea

        objectName: "panelArea"
        anchors.right: parent.right
        height: parent.height
        width: model.selectedID.length > 0 ? root.panelWidth : 0
        clip: true

        Behavior on width {
            NumberAnimation { duration: 180; easing.type: Easing.OutQuad }
        }

        // Opaque, so that the panel reads the same over the list as beside it.
        Rectangle {
            anchors.fill: parent
            color: QM.bg0
        }

        // Over the list it takes the pointer: no row under it is hovered, clicked or scrolled.
        MouseArea {
            anchors.fill: parent
            hoverEnabled: true
            acceptedButtons: Qt.AllButtons
            onWheel: wheel => wheel.accepted = true
        }

        Rectangle {
            width: 1
            height: parent.height
            color: QM.stroke
        }

        KeyedLayer {
            id: panelLayer

            objectName: "panelLayer"
            x: 1
            width: root.panelWidth - 1
            height: parent.height
            key: model.selectedID
            slides: true
            duration: 180
            view: Component {
                ChannelInfoPanel {}
            }
        }

        // The panel shown follows the page's clock; one on its way out keeps its last time.
        Binding {
            target: panelLayer.currentItem
            property: "tick"
            value: model.clock
            restoreMode: Binding.RestoreNone
        }
    }
}

import QtQuick
import QtQuick.Layouts
import Quillmere

// The Live TV page: the category column, the header with the search field, the channel list or
// a message in its place, and the panel of the selected channel, which slides in beside the list.
Item {
    id: root

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
            Layout.fillHeight: true
            model: AppModel.live
            app: AppModel
        }

        Rectangle {
            Layout.fillHeight: true
            implicitWidth: 1
            color: QM.stroke
        }

        ColumnLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
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

        // The selected channel's panel; a new one for each channel.
        Item {
            objectName: "panelArea"
            Layout.fillHeight: true
            Layout.preferredWidth: model.selectedID.length > 0 ? 361 : 0
            clip: true

            Behavior on Layout.preferredWidth {
                NumberAnimation { duration: 180; easing.type: Easing.OutQuad }
            }

            Rectangle {
                width: 1
                height: parent.height
                color: QM.stroke
            }

            KeyedLayer {
                x: 1
                width: 360
                height: parent.height
                key: model.selectedID
                slides: true
                view: Component {
                    ChannelInfoPanel {
                        tick: model.clock
                    }
                }
            }
        }
    }
}

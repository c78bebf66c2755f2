import QtQuick
import Quillmere

// Stands in for a page that is not built yet: its title in the page's margins.
Rectangle {
    id: root

    required property string page

    color: QM.bg0

    PlaceholderPageModel {
        id: model

        objectName: "pageModel"
        app: AppModel
        page: root.page
    }

    PageHeader {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 28
        title: model.title
    }
}

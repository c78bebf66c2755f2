import QtQuick
import QtQuick.Layouts
import Quillmere

// The guide's header block: the page title with the day and channel count, the search field and
// the category menu; below, the day chips and the time buttons. Where the chips do not all fit,
// they scroll sideways and the time buttons keep their place.
ColumnLayout {
    id: root

    required property GuidePageModel page

    spacing: 14

    PageHeader {
        Layout.fillWidth: true
        Layout.leftMargin: 32
        Layout.rightMargin: 32
        Layout.topMargin: 28
        title: "TV Guide"
        subtitle: root.page.subtitle

        Row {
            spacing: 10

            QMSearchField {
                objectName: "searchField"
                anchors.verticalCenter: parent.verticalCenter
                width: 220
                height: 36
                prompt: "Search channels"
                text: root.page.state ? root.page.state.query : ""
                onTextEdited: root.page.state.query = text
            }

            GuideCategoryButton {
                anchors.verticalCenter: parent.verticalCenter
                page: root.page
            }
        }
    }

    RowLayout {
        Layout.fillWidth: true
        Layout.leftMargin: 32
        Layout.rightMargin: 32
        Layout.bottomMargin: 14
        spacing: 8

        GuideDayChips {
            Layout.fillWidth: true
            page: root.page
        }

        QMIconButton {
            objectName: "backButton"
            symbol: "chevron.left"
            size: 30
            filled: true
            tint: QM.text1
            onClicked: root.page.scrollBy(-120)
        }

        QMButton {
            objectName: "nowButton"
            text: "Now"
            kind: QMButtonKind.Secondary
            compact: true
            onClicked: root.page.goToNow()
        }

        QMIconButton {
            objectName: "forwardButton"
            symbol: "chevron.right"
            size: 30
            filled: true
            tint: QM.text1
            onClicked: root.page.scrollBy(120)
        }
    }
}

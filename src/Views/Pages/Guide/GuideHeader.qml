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

            GuideCategoryMenu {
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

        ListView {
            id: chips

            // The chosen day's chip, kept in sight once the chips are laid out.
            property int chosenIndex: -1

            objectName: "dayChips"
            Layout.fillWidth: true
            implicitHeight: 30
            orientation: ListView.Horizontal
            spacing: 8
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: root.page.dayChips
            onChosenIndexChanged: showChosen.restart()

            Timer {
                id: showChosen

                interval: 0
                onTriggered: chips.positionViewAtIndex(chips.chosenIndex, ListView.Contain)
            }

            // A mouse wheel turned over the chips moves them sideways.
            WheelHandler {
                orientation: Qt.Vertical
                onWheel: event => chips.flick(event.angleDelta.y * 8, 0)
            }

            delegate: QMChip {
                id: chip

                required property var modelData
                required property int index

                objectName: "dayChip" + chip.modelData.offset
                text: chip.modelData.title
                selected: root.page.state !== null && chip.modelData.offset === root.page.state.dayOffset
                onClicked: root.page.pickDay(chip.modelData.offset)
                onSelectedChanged: if (chip.selected) chip.ListView.view.chosenIndex = chip.index
            }
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

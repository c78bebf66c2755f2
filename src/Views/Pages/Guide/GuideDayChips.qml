import QtQuick
import Quillmere

// The guide's day chips in a row that scrolls sideways, the chosen day's chip kept in sight; a
// mouse wheel turned over them moves them sideways.
ListView {
    id: root

    required property GuidePageModel page
    // The chosen day's chip, kept in sight once the chips are laid out.
    property int chosenIndex: -1

    objectName: "dayChips"
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
        onTriggered: root.positionViewAtIndex(root.chosenIndex, ListView.Contain)
    }

    WheelHandler {
        orientation: Qt.Vertical
        onWheel: event => root.flick(event.angleDelta.y * 8, 0)
    }

    delegate: QMChip {
        id: chip

        required property var modelData
        required property int index
        readonly property GuideDayChips chips: chip.ListView.view as GuideDayChips
        readonly property GuideState guide: chip.chips.page.state

        objectName: "dayChip" + chip.modelData.offset
        text: chip.modelData.title
        selected: chip.guide !== null && chip.modelData.offset === chip.guide.dayOffset
        onClicked: chip.chips.page.pickDay(chip.modelData.offset)
        onSelectedChanged: if (chip.selected) chip.chips.chosenIndex = chip.index
    }
}

import QtQuick
import QtQuick.Layouts
import Quillmere

// One live channel: number, logo, name, what is on now with its progress, the favourite mark and
// a play badge while hovered or selected. A click selects it, a double click plays it.
Item {
    id: root

    required property int index
    required property string itemID
    required property string title
    required property var number
    required property url artworkURL
    required property bool isFavourite
    required property var nowTitle
    required property var nowStart
    required property var nowEnd
    // The whole record, for the item menu.
    required property var item
    property LivePageModel page

    readonly property bool selected: root.page.selectedID === root.itemID
    readonly property bool hasNow: root.nowTitle !== undefined
    readonly property alias hovered: pointer.containsMouse

    // A click on the row: the list takes the keyboard.
    signal chosen()
    // A right click at a point of the row.
    signal menuRequested(point at)

    implicitHeight: 66
    Component.onCompleted: root.page.rowShown(root.index)

    Rectangle {
        anchors.fill: parent
        radius: 10
        antialiasing: true
        color: root.selected ? QM.accentSoft : (pointer.containsMouse ? QM.hover : "transparent")

        // The highlight moves with the selection as the panel slides.
        Behavior on color {
            ColorAnimation { duration: 180; easing.type: Easing.OutQuad }
        }
    }

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 12
        anchors.rightMargin: 12
        spacing: 14

        QMText {
            Layout.preferredWidth: 44
            visible: root.page.showNumbers
            text: NumberText.channel(root.number)
            font: QM.channelNumber
            color: QM.text3
            horizontalAlignment: Text.AlignRight
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 12 * 0.7
            elide: Text.ElideRight
            maximumLineCount: 1
        }

        ChannelLogo {
            url: root.artworkURL
            title: root.title
            size: 40
        }

        ColumnLayout {
            Layout.fillWidth: true
            spacing: 4

            QMText {
                objectName: "channelTitle"
                Layout.fillWidth: true
                text: TitleText.isolated(root.title)
                font: QM.channelTitle
                color: root.selected ? QM.accent : QM.text1
                elide: Text.ElideRight
                maximumLineCount: 1
            }

            RowLayout {
                Layout.fillWidth: true
                visible: root.hasNow
                spacing: 8

                // As wide as its text, shrinking (and eliding) only when the line is full.
                QMText {
                    Layout.fillWidth: true
                    // Rounded up: the layout places items on whole pixels.
                    Layout.maximumWidth: Math.ceil(implicitWidth)
                    text: root.hasNow ? TitleText.isolated(root.nowTitle) : ""
                    font: QM.caption
                    color: QM.text2
                    elide: Text.ElideRight
                    maximumLineCount: 1
                }

                QMText {
                    text: root.hasNow ? TimeText.range(root.nowStart, root.nowEnd) : ""
                    font: QM.programmeTime
                    color: QM.text3
                }
            }

            QMProgressLine {
                Layout.fillWidth: true
                Layout.maximumWidth: 220
                implicitHeight: 2.5
                visible: root.hasNow
                tint: QM.accent
                value: {
                    // Redrawn with the page clock; the progress is read at the time of drawing.
                    root.page.clock;
                    return root.hasNow ? root.page.progress(root.nowStart, root.nowEnd) : 0;
                }
            }

            QMText {
                visible: !root.hasNow
                text: "No guide information"
                font: QM.caption
                color: QM.text3
            }
        }

        Item { Layout.preferredWidth: 8 }

        Icon {
            visible: root.isFavourite
            symbol: "heart.fill"
            size: 11
            color: QM.accent
        }

        Rectangle {
            objectName: "playBadge"
            implicitWidth: 30
            implicitHeight: 30
            radius: 15
            antialiasing: true
            color: QM.accent
            opacity: pointer.containsMouse || root.selected ? 1 : 0

            Icon {
                anchors.centerIn: parent
                symbol: "play.fill"
                size: 11
                color: QM.textOnAccent
            }
        }
    }

    MouseArea {
        id: pointer

        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onClicked: mouse => {
            if (mouse.button === Qt.RightButton) {
                root.menuRequested(Qt.point(mouse.x, mouse.y));
                return;
            }
            root.page.select(root.index);
            root.chosen();
        }
        onDoubleClicked: mouse => {
            if (mouse.button === Qt.LeftButton)
                root.page.play(root.index);
        }
    }
}

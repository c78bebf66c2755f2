import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The channel list over the leading side of a live channel: each opening starts afresh with the
// playing channel highlighted and centred, takes the keyboard while open, and plays the channel
// chosen by click or Return.
FocusScope {
    id: root

    required property PlayerViewModel screen
    readonly property alias panel: channels
    // Until it has opened centred on the playing channel, the list does not follow the highlight.
    property bool opened: false

    function open() {
        root.opened = false;
        channels.open();
        list.positionViewAtIndex(channels.playingRow, ListView.Center);
        root.opened = true;
        root.forceActiveFocus();
    }

    implicitWidth: 440

    function reveal(row: int) {
        if (!root.opened || row < 0)
            return;
        const from = list.contentY;
        list.positionViewAtIndex(row, ListView.Contain);
        const to = list.contentY;
        if (from === to)
            return;
        list.contentY = from;
        scroll.from = from;
        scroll.to = to;
        scroll.restart();
    }

    PlayerChannelPanelModel {
        id: channels

        player: root.screen
        onHighlightedChanged: root.reveal(channels.highlightedRow)
    }

    Keys.onPressed: (event) => { event.accepted = channels.handleKey(event.key); }

    // Opaque: without a blur behind it, the controls under the panel would show through.
    Rectangle {
        anchors.fill: parent
        color: QM.bg0
    }

    Rectangle {
        anchors.right: parent.right
        width: 1
        height: parent.height
        color: QM.stroke
    }

    // The panel takes every click over it; none reaches the video beneath.
    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onWheel: (wheel) => { wheel.accepted = false; }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 12

        RowLayout {
            Layout.leftMargin: 20
            Layout.rightMargin: 20
            Layout.topMargin: 34
            spacing: 8

            QMText {
                text: "Channels"
                font: QM.h2
                color: "white"
            }

            Item {
                Layout.fillWidth: true
            }

            QMText {
                objectName: "channelCount"
                text: channels.count
                font: QM.caption
                color: QM.text3
            }

            QMIconButton {
                objectName: "closeChannelsButton"
                focusPolicy: Qt.NoFocus
                symbol: "xmark"
                size: 30
                tint: QM.text2
                onClicked: root.screen.dismissChannels()
            }
        }

        ListView {
            id: list

            objectName: "channelList"
            Layout.fillWidth: true
            Layout.fillHeight: true
            leftMargin: 12
            rightMargin: 12
            bottomMargin: 20
            spacing: 2
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: channels
            ScrollBar.vertical: ScrollBar {
                policy: ScrollBar.AsNeeded
            }

            delegate: PlayerChannelRow {
                width: ListView.view.width - ListView.view.leftMargin - ListView.view.rightMargin
                panel: ListView.view.model
            }

            NumberAnimation {
                id: scroll

                target: list
                property: "contentY"
                duration: 120
                easing.type: Easing.OutQuad
            }
        }
    }
}

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import QtQuick.Templates as T
import Quillmere

// The player screen, over the whole page area while something plays; one per title. Back to
// front: black, the video, the loading or error layer, the controls, the channel panel and the
// typed channel number. Its rules live in its PlayerViewModel.
//
// While shown it holds the keys, whatever was clicked: its controls take no keyboard focus, and
// when the focus lands outside it (a notice's button, a menu that closed handing it to the
// window, a page under it) it takes it back. An open menu or dialog keeps the keys until it
// closes.
Item {
    id: root

    readonly property PlayerViewModel model: viewModel

    function keepKeys(): void {
        if (!viewModel.shown)
            return;
        for (let item = Window.activeFocusItem; item; item = item.parent) {
            if (item === root || item === T.Overlay.overlay || item === ApplicationWindow.menuBar)
                return;
        }
        root.forceActiveFocus();
    }

    focus: true
    Component.onCompleted: keepKeysLater.restart()

    PlayerViewModel {
        id: viewModel

        app: AppModel
        windowController: PlaybackWindowController
        window: root.Window.window
        videoSurface: video
        onFocusRequested: root.forceActiveFocus()
    }

    // Once the focus change under way has settled.
    Timer {
        id: keepKeysLater

        interval: 0
        onTriggered: root.keepKeys()
    }

    Keys.onPressed: (event) => { event.accepted = viewModel.handleKey(event.key, event.text, event.isAutoRepeat); }

    Connections {
        target: root.Window.window

        function onActiveFocusItemChanged() {
            keepKeysLater.restart();
        }
    }

    Rectangle {
        anchors.fill: parent
        color: "black"
    }

    // The screen covers everything below it: no click or wheel turn goes through to the page
    // under it (the pointer's hover stops at the screen itself).
    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onWheel: (wheel) => { wheel.accepted = true; }
    }

    VideoSurface {
        id: video

        objectName: "videoSurface"
        anchors.fill: parent

        TapHandler {
            onSingleTapped: viewModel.videoClicked()
            onDoubleTapped: viewModel.toggleFullScreen()
        }
    }

    Column {
        objectName: "loadingLayer"
        anchors.centerIn: parent
        visible: viewModel.status.loading
        spacing: 14

        QMSpinnerWheel {
            anchors.horizontalCenter: parent.horizontalCenter
            diameter: 32
            tint: "white"
        }

        QMText {
            anchors.horizontalCenter: parent.horizontalCenter
            visible: text.length > 0
            text: viewModel.status.loadingText
            font: viewModel.status.retrying ? QM.body : QM.caption
            color: viewModel.status.retrying ? QM.text2 : QM.text3
        }
    }

    PlayerErrorCard {
        objectName: "errorCard"
        anchors.centerIn: parent
        visible: viewModel.status.failed
        screen: viewModel
    }

    Item {
        objectName: "controlsLayer"
        anchors.fill: parent
        opacity: viewModel.osd ? 1 : 0
        enabled: viewModel.osd

        Behavior on opacity {
            NumberAnimation { duration: 250; easing.type: Easing.InOutQuad }
        }

        Rectangle {
            anchors.top: parent.top
            width: parent.width
            height: 170
            gradient: Gradient {
                GradientStop { position: 0; color: QM.videoShadeTop }
                GradientStop { position: 1; color: "transparent" }
            }
        }

        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: viewModel.isLive ? 260 : 220
            gradient: Gradient {
                GradientStop { position: 0; color: "transparent" }
                GradientStop { position: 1; color: QM.videoShadeBottom }
            }
        }

        ColumnLayout {
            id: bars

            anchors.fill: parent
            anchors.leftMargin: 36
            anchors.rightMargin: 36
            anchors.topMargin: 30
            anchors.bottomMargin: 28
            spacing: 0

            PlayerTopBar {
                id: topBar

                objectName: "topBar"
                Layout.fillWidth: true
                screen: viewModel
            }

            Item {
                Layout.fillHeight: true
            }

            PlayerLiveBar {
                objectName: "liveBar"
                Layout.fillWidth: true
                visible: viewModel.isLive
                screen: viewModel
            }

            PlayerFilmBar {
                objectName: "filmBar"
                Layout.fillWidth: true
                visible: !viewModel.isLive
                screen: viewModel
            }
        }
    }

    PlayerChannelPanel {
        id: panel

        objectName: "channelPanel"
        width: 440
        height: parent.height
        screen: viewModel
        x: viewModel.channels.panelShown ? 0 : -width
        opacity: viewModel.channels.panelShown ? 1 : 0
        // Shown while open and while it slides out, taking input only while open.
        visible: viewModel.channels.panelShown || sliding.running
        enabled: viewModel.channels.panelShown

        Behavior on x {
            enabled: viewModel.channels.panelAnimated

            NumberAnimation { id: sliding; duration: 200; easing.type: Easing.OutQuad }
        }
        Behavior on opacity {
            enabled: viewModel.channels.panelAnimated

            NumberAnimation { duration: 200; easing.type: Easing.OutQuad }
        }
    }

    Connections {
        target: viewModel.channels

        function onPanelShownChanged() {
            if (viewModel.channels.panelShown)
                panel.open();
        }
    }

    Connections {
        target: PlayerCommands

        function onPosted(command: string) {
            viewModel.handlePlayerCommand(command);
        }
    }

    // At the trailing edge under the top bar, clear of its buttons.
    Rectangle {
        objectName: "zapDigits"
        anchors.top: parent.top
        anchors.topMargin: bars.y + topBar.y + topBar.height + 24
        anchors.right: parent.right
        anchors.rightMargin: 40
        visible: digits.text.length > 0
        width: digits.implicitWidth + 52
        height: digits.implicitHeight + 24
        radius: 16
        antialiasing: true
        color: QM.zapPlate

        QMText {
            id: digits

            anchors.centerIn: parent
            text: viewModel.channels.zapDigits
            font: QM.zapDigits
            color: "white"
        }
    }

    HoverHandler {
        cursorShape: viewModel.pointerHidden ? Qt.BlankCursor : Qt.ArrowCursor
        onPointChanged: {
            if (hovered)
                viewModel.pointerMoved(point.position);
        }
        onHoveredChanged: {
            if (!hovered)
                viewModel.pointerLeft();
        }
    }
}

import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// The mute button and the volume slider (0 to 150 %) of both bars. The slider shows 0 while muted;
// moving it sets the volume, which also unmutes.
Row {
    id: root

    required property PlayerViewModel screen
    readonly property PlayerVolume volume: root.screen.volume

    spacing: 8

    QMIconButton {
        id: muteButton

        objectName: "muteButton"
        focusPolicy: Qt.NoFocus
        anchors.verticalCenter: parent.verticalCenter
        symbol: root.volume.symbol
        size: 32
        tint: QM.text1
        onClicked: root.screen.toggleMute()

        HelpTip {
            text: "Mute (M)"
            shown: muteButton.hovered && root.screen.osd
        }
    }

    Slider {
        id: slider

        objectName: "volumeSlider"
        focusPolicy: Qt.NoFocus
        anchors.verticalCenter: parent.verticalCenter
        width: 100
        height: 20
        padding: 0
        from: 0
        to: 1.5
        value: root.volume.sliderValue
        onMoved: root.screen.setVolume(slider.value)

        background: Rectangle {
            x: slider.leftPadding
            y: (slider.height - height) / 2
            width: slider.availableWidth
            height: 4
            radius: 2
            antialiasing: true
            color: QM.videoTrack

            Rectangle {
                width: slider.visualPosition * parent.width
                height: parent.height
                radius: 2
                antialiasing: true
                color: QM.accent
            }
        }

        handle: Rectangle {
            x: slider.leftPadding + slider.visualPosition * (slider.availableWidth - width)
            y: (slider.height - height) / 2
            width: 12
            height: 12
            radius: 6
            antialiasing: true
            color: slider.pressed ? QM.text2 : "white"
        }
    }
}

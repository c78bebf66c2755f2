import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Dialogs
import Quillmere

// The one main window: the menu bar over the root view. Closing it ends the program.
ApplicationWindow {
    id: root

    objectName: "main"
    width: 1440
    height: 900
    minimumWidth: 1040
    minimumHeight: 660
    visible: true
    title: qsTr("Quillmere")
    color: Qt.rgba(0.02, 0.03, 0.06, 1)

    menuBar: AppMenuBar {
        // In full screen the window shows only the player; its keys work all the same.
        visible: !(root.visibility === Window.FullScreen && PlaybackWindowController.hasTarget)
        onOpenFileRequested: mediaFileDialog.open()
    }

    RootView {
        anchors.fill: parent
    }

    FileDialog {
        id: mediaFileDialog

        objectName: "mediaFileDialog"
        title: qsTr("Open media file")
        fileMode: FileDialog.OpenFile
        nameFilters: [
            qsTr("Video and audio files (*.mp4 *.m4v *.mkv *.webm *.mov *.avi *.wmv *.flv *.mpg *.mpeg *.ts *.m2ts *.3gp *.ogv *.mp3 *.m4a *.aac *.flac *.ogg *.oga *.opus *.wav *.mka)"),
            qsTr("All files (*)")
        ]
        onAccepted: {
            if (String(mediaFileDialog.selectedFile).length > 0)
                PlaybackWindowController.openFile(mediaFileDialog.selectedFile);
        }
    }
}

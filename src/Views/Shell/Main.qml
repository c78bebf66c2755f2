import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Dialogs
import QtQuick.Templates as T
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
    title: "Quillmere"
    color: QM.windowBackground

    // The folder bar of Qt's own file dialog under `item`, or null.
    function folderBar(item: Item): Item {
        if ("upButton" in item && "separatorDelegate" in item)
            return item;
        for (let index = 0; index < item.children.length; ++index) {
            const found = root.folderBar(item.children[index]);
            if (found)
                return found;
        }
        return null;
    }

    // The dark theme for what the window's own parts do not colour themselves: the file dialog
    // where the desktop offers none of its own, and the controls' default looks.
    palette {
        window: QM.surface2
        windowText: QM.text1
        base: QM.surface1
        alternateBase: QM.surface2
        text: QM.text1
        placeholderText: QM.text3
        button: QM.surface3
        buttonText: QM.text1
        brightText: QM.text1
        light: QM.surface3
        midlight: QM.surface4
        mid: QM.surface4
        dark: QM.strokeStrong
        shadow: QM.bg0
        highlight: QM.accentSoft
        highlightedText: QM.text1
        link: QM.accent
        linkVisited: QM.accentPressed
        toolTipBase: QM.surface3
        toolTipText: QM.text1
    }

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
        title: "Open media file"
        fileMode: FileDialog.OpenFile
        nameFilters: [
            "Video and audio files (*.mp4 *.m4v *.mkv *.webm *.mov *.avi *.wmv *.flv *.mpg *.mpeg *.ts *.m2ts *.3gp *.ogv *.mp3 *.m4a *.aac *.flac *.ogg *.oga *.opus *.wav *.mka)",
            "All files (*)"
        ]
        onAccepted: {
            if (String(mediaFileDialog.selectedFile).length > 0)
                PlaybackWindowController.openFile(mediaFileDialog.selectedFile);
        }
        // Qt's own dialog, shown where the desktop offers none, follows the palette above except
        // for its folder bar, which it draws white.
        onVisibleChanged: {
            const bar = mediaFileDialog.visible ? root.folderBar(root.T.Overlay.overlay) : null;
            if (bar)
                bar.background.color = QM.surface1;
        }
    }
}

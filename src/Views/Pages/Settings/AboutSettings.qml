import QtQuick
import QtQuick.Layouts
import Quillmere

// The "About" section: the mark, name, version and description, and the credits.
Column {
    id: root

    spacing: 18

    AboutSettingsModel {
        id: about
    }

    QMSurface {
        width: root.width
        height: card.implicitHeight + 44
        color: QM.surface1
        radius: 14

        RowLayout {
            id: card

            anchors.fill: parent
            anchors.margins: 22
            spacing: 18

            QuillmereMark {
                size: 64
            }

            Column {
                Layout.fillWidth: true
                spacing: 5

                QMText {
                    text: "Quillmere"
                    font: QM.h2
                    color: QM.text1
                }

                QMText {
                    objectName: "version"
                    text: about.versionTitle
                    font: QM.caption
                    color: QM.text3
                }

                QMText {
                    width: parent.width
                    topPadding: 4
                    text: "A fast, private media player for your computer. Your catalogue stays on this computer and logins stay in your keyring."
                    font: QM.body
                    color: QM.text2
                    wrapMode: Text.Wrap
                }
            }
        }
    }

    SettingsGroup {
        width: root.width
        title: "Credits"

        SettingsRow {
            title: "Playback"
            detail: "libVLC by VideoLAN (LGPL)"
        }
        SettingsRow {
            title: "Interface"
            detail: "Qt by The Qt Company and the Qt Project (LGPL)"
        }
        SettingsRow {
            title: "Coroutines"
            detail: "QCoro by Daniel Vrátil (MIT)"
        }
        SettingsRow {
            title: "Catalogue"
            detail: "SQLite (public domain)"
        }
        SettingsRow {
            title: "Network"
            detail: "libcurl by Daniel Stenberg and contributors (curl licence)"
        }
        SettingsRow {
            title: "Provider data"
            detail: "simdjson by Daniel Lemire, Geoff Langdale and contributors (Apache 2.0)"
        }
        SettingsRow {
            title: "Keyring"
            detail: "QtKeychain by Frank Osterfeld and contributors (BSD)"
        }
        SettingsRow {
            title: "Typeface"
            detail: "Inter by Rasmus Andersson (SIL Open Font License)"
        }
        SettingsRow {
            title: "Symbols"
            detail: "Material Design icons by Google (Apache 2.0)"
            last: true
        }
    }
}

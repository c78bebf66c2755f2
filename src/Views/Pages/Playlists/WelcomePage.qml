import QtQuick
import QtQuick.Layouts
import Quillmere

// The first-run page: a greeting, three features and the way to add the first playlist.
Item {
    id: root

    objectName: "welcomePage"

    // A soft accent glow from the middle of the top edge.
    Canvas {
        anchors.fill: parent
        onWidthChanged: requestPaint()
        onHeightChanged: requestPaint()
        onPaint: {
            const context = getContext("2d");
            context.reset();
            const glow = context.createRadialGradient(width / 2, 0, 10, width / 2, 0, 600);
            glow.addColorStop(0, QM.accentGlow);
            glow.addColorStop(1, QM.accentClear);
            context.fillStyle = glow;
            context.fillRect(0, 0, width, height);
        }
    }

    ColumnLayout {
        anchors.centerIn: parent
        width: Math.min(implicitWidth, root.width - 80)
        spacing: 22

        QuillmereMark {
            Layout.alignment: Qt.AlignHCenter
            size: 76
        }

        QMText {
            Layout.alignment: Qt.AlignHCenter
            text: "Welcome to Quillmere"
            font: QM.display
            color: QM.text1
        }

        QMText {
            objectName: "introduction"
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredWidth: Math.min(implicitWidth, 520, root.width - 80)
            text: "Live TV, a full TV guide, movies and series from your own playlists \u2014 fast, private and beautifully simple. Add a playlist to begin."
            font: QM.lead
            color: QM.text2
            horizontalAlignment: Text.AlignHCenter
            lineHeightMode: Text.FixedHeight
            lineHeight: Math.ceil(fontMetrics.lineSpacing) + 3
            wrapMode: Text.Wrap

            FontMetrics {
                id: fontMetrics

                font: QM.lead
            }
        }

        QMButton {
            objectName: "addPlaylist"
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 6
            text: "Add your playlist"
            symbol: "plus"
            kind: QMButtonKind.Primary
            onClicked: editorLoader.open(0)
        }

        RowLayout {
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 26
            spacing: 28

            Repeater {
                model: [{
                        symbol: "lock.shield",
                        text: "Logins stay in your keyring"
                    }, {
                        symbol: "bolt",
                        text: "Instant search across everything"
                    }, {
                        symbol: "calendar",
                        text: "7-day TV guide"
                    }]

                RowLayout {
                    id: feature

                    required property var modelData

                    spacing: 8

                    Icon {
                        symbol: feature.modelData.symbol
                        size: 14
                        color: QM.accent
                    }

                    QMText {
                        text: feature.modelData.text
                        font: QM.label
                        color: QM.text2
                    }
                }
            }
        }
    }

    PlaylistEditorLoader {
        id: editorLoader
    }
}

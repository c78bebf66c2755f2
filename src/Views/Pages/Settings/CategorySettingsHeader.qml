import QtQuick
import QtQuick.Layouts
import Quillmere

// Everything of the category settings above the category rows: the title with the kind chips,
// the language chips, and the list's title with its filter and reset.
Column {
    id: root

    required property CategorySettingsModel settings

    topPadding: 46
    bottomPadding: 10
    spacing: 22

    RowLayout {
        width: root.width
        spacing: 6

        QMText {
            objectName: "categoriesTitle"
            Layout.fillWidth: true
            text: "Categories"
            font: QM.h2
            color: QM.text1
        }

        CategoryKindChips {
            kind: root.settings.kind
            onChosen: chosenKind => root.settings.kind = chosenKind
        }
    }

    QMText {
        visible: !root.settings.hasActive
        text: "Add a playlist to manage its categories."
        font: QM.body
        color: QM.text3
    }

    SettingsGroup {
        width: root.width
        visible: root.settings.hasActive
        title: "Languages"

        Column {
            width: parent.width
            padding: 18
            spacing: 12

            QMText {
                width: parent.width - 36
                text: "Turn off languages you never watch. Their categories disappear from Live TV, Movies, Series and search, on every playlist."
                font: QM.caption
                color: QM.text3
                wrapMode: Text.Wrap
            }

            LanguageChips {
                width: parent.width - 36
                languages: root.settings.languages
                onToggled: key => root.settings.toggleLanguage(key)
            }
        }
    }

    RowLayout {
        id: listBar

        width: root.width
        visible: root.settings.hasActive
        spacing: 10

        QMOverline {
            id: listTitle

            objectName: "listTitle"
            Layout.fillWidth: true
            text: root.settings.listTitle
        }

        QMSearchField {
            objectName: "filter"
            // 220 wide, narrower where the list's title would be cut short beside it (the layout
            // gives its parts whole pixels).
            Layout.preferredWidth: Math.max(120, Math.min(220, listBar.width - Math.ceil(listTitle.implicitWidth)
                                                               - Math.ceil(resetButton.implicitWidth) - 2 * listBar.spacing))
            Layout.preferredHeight: 32
            prompt: "Filter"
            text: root.settings.filter
            onTextEdited: root.settings.filter = text
        }

        QMButton {
            id: resetButton

            objectName: "reset"
            text: "Reset order & visibility"
            kind: QMButtonKind.Ghost
            compact: true
            onClicked: root.settings.resetOrder()
        }
    }
}

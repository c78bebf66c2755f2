import QtQuick
import Quillmere

// The category column's language menu: all languages, each language of the categories with a
// check mark at the chosen ones, and the way to the settings that hide languages.
QMMenu {
    id: root

    required property CategoryColumnModel column

    // Takes up the choice of a language entry once the entry's own handling has ended: the
    // choice rebuilds the entries.
    function chooseLater(key: string): void {
        chooser.key = key;
        chooser.restart();
    }

    objectName: "languageMenu"

    Timer {
        id: chooser

        property string key

        interval: 0
        onTriggered: root.column.chooseLanguage(chooser.key)
    }

    QMMenuItem {
        objectName: "allLanguages"
        text: "All languages"
        symbol: root.column.allLanguages ? "checkmark" : ""
        onTriggered: root.column.chooseLanguage("")
    }

    QMMenuSeparator {}

    Instantiator {
        model: root.column.languages
        delegate: QMMenuItem {
            id: entry

            required property var modelData

            objectName: "language-" + entry.modelData.key
            text: entry.modelData.title
            symbol: entry.modelData.checked ? "checkmark" : ""
            onTriggered: (entry.menu as CategoryLanguageMenu).chooseLater(entry.modelData.key)
        }
        onObjectAdded: (index, object) => root.insertItem(index + 2, object)
        onObjectRemoved: (index, object) => root.removeItem(object)
    }

    QMMenuSeparator {}

    QMMenuItem {
        objectName: "hideLanguages"
        text: "Hide languages\u2026"
        symbol: "eye.slash"
        onTriggered: root.column.openLanguageSettings()
    }
}

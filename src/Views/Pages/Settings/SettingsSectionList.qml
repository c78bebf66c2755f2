import QtQuick
import Quillmere

// The settings page's title over its section rows, the one shown selected: `sections` are
// {title, symbol}; a click reports the section chosen.
Column {
    id: root

    required property var sections
    required property string section

    signal chosen(string section)

    spacing: 3

    QMText {
        objectName: "pageTitle"
        leftPadding: 12
        rightPadding: 12
        bottomPadding: 18
        text: "Settings"
        font: QM.h1
        color: QM.text1
    }

    Repeater {
        model: root.sections

        // Each row reads and reports through its parent, the list itself.
        SettingsSectionRow {
            id: row

            required property var modelData
            readonly property SettingsSectionList list: row.parent as SettingsSectionList

            width: row.list.width
            title: row.modelData.title
            symbol: row.modelData.symbol
            selected: row.list.section === row.modelData.title
            onClicked: row.list.chosen(row.modelData.title)
        }
    }
}

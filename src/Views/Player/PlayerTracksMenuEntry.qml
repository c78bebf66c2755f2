import QtQuick
import Quillmere

// One line of the tracks menu: a section heading, a choice (checked with a mark) or a fact.
QMMenuItem {
    id: root

    required property int index
    required property int kind
    required property string label
    required property string symbolName
    readonly property bool heading: root.kind === TracksMenuModel.Header

    objectName: "tracksEntry-" + root.label
    text: root.label
    symbol: root.symbolName
    enabled: root.kind === TracksMenuModel.Choice
    font: root.heading ? QM.overlineStyle : QM.label
    implicitHeight: root.heading ? 26 : 30
}

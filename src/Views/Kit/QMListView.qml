import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// A list whose header scrolls with its rows and that opens at its top, or with `openingRow`
// scrolled just into view below the rows above it. A list keeps its rows where they stand when
// its header grows, which would leave it scrolled past its top: the header is laid out after the
// list is first placed, and may be filled in as its data arrive. So until the user scrolls it,
// the list returns to where it opens whenever its header, height or rows change. Its scroll bar
// shows while the rows and header are taller than the list.
ListView {
    id: root

    // The row shown when the list opens, -1 for none.
    property int openingRow: -1
    // Whether the user has moved the list since it opened.
    property bool scrolled: false

    function showOpening(): void {
        if (root.scrolled)
            return;
        root.contentY = root.originY - root.topMargin;
        if (root.openingRow >= 0 && root.openingRow < root.count)
            root.positionViewAtIndex(root.openingRow, ListView.Contain);
    }

    ScrollBar.vertical: ScrollBar {
        id: scrollBar

        objectName: "scrollBar"
        policy: root.contentHeight > root.height ? ScrollBar.AsNeeded : ScrollBar.AlwaysOff
        onPressedChanged: if (scrollBar.pressed) root.scrolled = true
    }

    onMovementStarted: root.scrolled = true
    onOriginYChanged: root.showOpening()
    onHeightChanged: root.showOpening()
    onCountChanged: root.showOpening()
    onOpeningRowChanged: root.showOpening()
    Component.onCompleted: root.showOpening()
}

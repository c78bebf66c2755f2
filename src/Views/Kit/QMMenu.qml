import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Templates as T
import Quillmere

// Every menu of the program, in the kit's look: a raised dark panel of `QMMenuItem`s, with
// `QMMenuSeparator`s and `QMMenuTitle`s between groups. `menu.popup(button, x, y)` opens it at a
// point of a button; a context menu opens with `menu.popupAt(row, point)`, which places it in
// the window rather than on the row, so that it stays open when its row is rebuilt (a list read
// again) under it. Near the window's edge it moves in, so that it stays inside the window.
Menu {
    id: root

    function popupAt(anchor: Item, position: point): void {
        const overlay = T.Overlay.overlay;
        const at = anchor.mapToItem(overlay, position);
        root.popup(overlay, at.x, at.y);
    }

    padding: 5
    // As wide as its widest entry (the panel's own width at the least), so that none of the
    // program's own texts is cut; a provider's or a user's long name is cut at 400 rather than
    // stretching the menu across the window.
    contentWidth: {
        let widest = 0;
        for (let i = 0; i < root.count; ++i)
            widest = Math.max(widest, root.itemAt(i).implicitWidth);
        return Math.min(widest, 400);
    }
    // Clear of the window's edge with its shadow.
    margins: 8
    delegate: QMMenuItem {}

    background: Item {
        implicitWidth: 200

        QMShadow {
            anchors.fill: parent
            radius: 10
            blur: 18
            offsetY: 6
            shadowColor: QM.shadowDeep
        }

        QMSurface {
            anchors.fill: parent
            radius: 10
            color: QM.surface3
        }
    }

    enter: Transition {
        NumberAnimation { property: "opacity"; from: 0; to: 1; duration: 90 }
    }
    exit: Transition {
        NumberAnimation { property: "opacity"; from: 1; to: 0; duration: 90 }
    }
}

import QtQuick
import Quillmere

// The context menu of a channel, film or series: its main action ("Play", or "Open" for a
// series), "Details" for films and series, and adding it to or removing it from the favourites,
// followed by any entries the caller declares inside it. One menu may serve a whole list:
// `TapHandler { acceptedButtons: Qt.RightButton; onTapped: point => menu.openFor(model.item,
// card, point.position) }`. `favouriteToggled(favourite)` tells the caller about a stored change,
// so that it can patch its own list.
QMMenu {
    id: root

    // The AppModel.
    property AppModel app
    // A MediaItemValue (a list model's `item` role).
    property alias item: actions.item

    signal favouriteToggled(bool favourite)

    // Opens the menu for `item` at `position` of `anchor`.
    function openFor(item: var, anchor: Item, position: point): void {
        root.item = item;
        root.popupAt(anchor, position);
    }

    onAboutToShow: actions.refresh()

    ItemMenuModel {
        id: actions

        app: root.app
        onFavouriteToggled: favourite => root.favouriteToggled(favourite)
    }

    QMMenuItem {
        objectName: "mainEntry"
        text: actions.mainTitle
        symbol: actions.mainSymbol
        onTriggered: actions.activateMain()
    }

    QMMenuItem {
        objectName: "detailsEntry"
        visible: actions.offersDetails
        text: "Details"
        symbol: "info.circle"
        onTriggered: actions.openDetails()
    }

    QMMenuItem {
        objectName: "favouriteEntry"
        text: actions.favouriteTitle
        symbol: actions.favouriteSymbol
        onTriggered: actions.toggleFavourite()
    }
}

import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// The live channel list with its keyboard (arrows, Return, "f" while it has focus), or the
// message that says why there is nothing to list.
Item {
    id: root

    required property LivePageModel page
    // The row the pointer last went onto.
    property ChannelRow hoveredRow: null

    // Opens the one menu of the rows for `item` at `position` of `anchor`.
    function openMenu(item: var, anchor: Item, position: point): void {
        menu.openFor(item, anchor, position);
    }

    QMEmptyState {
        objectName: "emptyState"
        anchors.fill: parent
        visible: root.page.showMessage
        symbol: root.page.messageSymbol
        title: root.page.messageTitle
        message: root.page.messageText
    }

    ListView {
        id: list

        objectName: "channelList"
        anchors.fill: parent
        visible: !root.page.showMessage
        clip: true
        spacing: 2
        leftMargin: 20
        rightMargin: 20
        bottomMargin: 24
        boundsBehavior: Flickable.StopAtBounds
        model: AppModel.live.items
        ScrollBar.vertical: ScrollBar {}
        Keys.onPressed: event => {
            event.accepted = root.page.handleKey(event.key, event.text);
        }

        // Each row finds the channel list through its view, a child of the list.
        delegate: ChannelRow {
            id: channel

            readonly property ChannelList owner: channel.ListView.view.parent as ChannelList

            page: channel.owner.page
            width: channel.ListView.view.width - channel.ListView.view.leftMargin - channel.ListView.view.rightMargin
            onChosen: channel.ListView.view.forceActiveFocus()
            onHoveredChanged: {
                if (channel.hovered)
                    channel.owner.hoveredRow = channel;
            }
            onMenuRequested: at => channel.owner.openMenu(channel.item, channel, at)
        }

        // One hover help for every row, moved to the row under the pointer.
        HelpTip {
            parent: root.hoveredRow
            text: "Double-click to watch"
            shown: root.hoveredRow?.hovered ?? false
            delay: 1000
        }

        // One menu for every row.
        ItemMenu {
            id: menu

            objectName: "channelMenu"
            app: AppModel
            onFavouriteToggled: favourite => root.page.mirrorFavourite(menu.item, favourite)
        }

        Connections {
            target: root.page

            function onScrollToRow(row: int): void {
                list.positionViewAtIndex(row, ListView.Contain);
            }
        }
    }
}

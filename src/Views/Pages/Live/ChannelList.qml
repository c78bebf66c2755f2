import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// The live channel list with its keyboard (arrows, Return, "f" while it has focus), or the
// message that says why there is nothing to list.
Item {
    id: root

    required property LivePageModel page

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

        // The row the pointer last went onto.
        property ChannelRow hoveredRow: null

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

        delegate: ChannelRow {
            id: channel

            page: root.page
            width: list.width - list.leftMargin - list.rightMargin
            onChosen: list.forceActiveFocus()
            onHoveredChanged: {
                if (channel.hovered)
                    channel.ListView.view.hoveredRow = channel;
            }
            onMenuRequested: at => menu.openFor(channel.item, channel, at)
        }

        // One hover help for every row, moved to the row under the pointer.
        HelpTip {
            objectName: "watchTip"
            parent: list.hoveredRow
            text: "Double-click to watch"
            shown: list.hoveredRow?.hovered ?? false
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

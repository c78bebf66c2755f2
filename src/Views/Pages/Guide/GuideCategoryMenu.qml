import QtQuick
import Quillmere

// The guide's category menu: the favourites, all channels and every shown live category.
QMMenu {
    id: root

    required property GuidePageModel page

    objectName: "categoryMenu"

    QMMenuItem {
        objectName: "favouritesEntry"
        text: "Favourites"
        onTriggered: root.page.showFavourites()
    }

    QMMenuItem {
        objectName: "allChannelsEntry"
        text: "All channels"
        onTriggered: root.page.showAllChannels()
    }

    QMMenuSeparator {}

    Instantiator {
        model: root.page.categoryNames
        // After the two entries and the separator.
        onObjectAdded: (index, entry) => root.insertItem(index + 3, entry)
        onObjectRemoved: (index, entry) => root.removeItem(entry)

        delegate: QMMenuItem {
            id: entry

            required property string modelData
            required property int index

            text: entry.modelData
            onTriggered: (entry.menu as GuideCategoryMenu).page.showCategory(entry.index)
        }
    }
}

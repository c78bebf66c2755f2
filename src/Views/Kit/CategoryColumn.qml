import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The category list at the leading edge of a browse page, 300 wide and as high as the page:
// `CategoryColumn { model: app.live; app: app; pageWidth: page.width; height: parent.height }`. It lists all items, the
// favourites and the shown categories with their counts; choosing a row sets the browse model's
// scope. A language menu and a filter field narrow the list; each category's context menu moves
// it to the top, hides it or hides its whole language.
Rectangle {
    id: root

    // The page's browse model and the application model.
    property BrowseModel model
    property AppModel app
    // The width of the page it stands on, when known: on a page too narrow for the column beside
    // the page's content at its least width it narrows, down to 250.
    property real pageWidth: 0
    // What the page's content beside the column keeps at least: a header's title beside its
    // search field.
    readonly property int contentMinimumWidth: 540

    implicitWidth: root.pageWidth > 0 ? Math.max(250, Math.min(300, root.pageWidth - 1 - root.contentMinimumWidth)) : 300
    implicitHeight: 600
    color: QM.sidePanel

    CategoryColumnModel {
        id: column

        model: root.model
        app: root.app
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        spacing: 10

        QMOverline {
            Layout.topMargin: 30
            Layout.leftMargin: 6
            Layout.rightMargin: 6
            text: "Categories"
        }

        AbstractButton {
            id: languageButton

            objectName: "languageButton"
            Layout.fillWidth: true
            implicitHeight: 34
            leftPadding: 12
            rightPadding: 12
            onClicked: languageMenu.popup(languageButton, 0, languageButton.height + 4)

            contentItem: RowLayout {
                spacing: 8

                Icon {
                    symbol: "globe"
                    size: 12.5
                    color: QM.text3
                }

                QMText {
                    objectName: "languageTitle"
                    Layout.fillWidth: true
                    text: column.languageTitle
                    font: QM.label
                    color: QM.text1
                    elide: Text.ElideRight
                }

                Icon {
                    symbol: "chevron.up.chevron.down"
                    size: 10
                    color: QM.text3
                }
            }

            background: QMSurface {
                radius: 10
                color: QM.surface2
            }
        }

        QMSearchField {
            objectName: "filterField"
            Layout.fillWidth: true
            implicitHeight: 34
            prompt: "Filter categories"
            text: root.model ? root.model.categoryFilter : ""
            onTextEdited: if (root.model) root.model.categoryFilter = text
        }

        CategoryList {
            Layout.fillWidth: true
            Layout.fillHeight: true
            column: column
            onMenuRequested: (row, anchor, position) => categoryMenu.openFor(row, anchor, position)
        }
    }

    CategoryLanguageMenu {
        id: languageMenu

        column: column
    }

    // The menu of one category, which it keeps while it is open.
    QMMenu {
        id: categoryMenu

        function openFor(row: int, anchor: Item, position: point): void {
            column.openMenuFor(row);
            categoryMenu.popupAt(anchor, position);
        }

        objectName: "categoryMenu"

        QMMenuItem {
            objectName: "moveToTop"
            text: "Move to top"
            symbol: "arrow.up.to.line"
            onTriggered: column.moveToTop()
        }

        QMMenuItem {
            objectName: "hideCategory"
            text: "Hide category"
            symbol: "eye.slash"
            onTriggered: column.hideCategory()
        }

        QMMenuItem {
            objectName: "hideLanguage"
            text: column.menuLanguageTitle
            symbol: "globe"
            onTriggered: column.hideLanguage()
        }
    }
}

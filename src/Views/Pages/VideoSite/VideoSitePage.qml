import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The video-site launcher: a search field and four shortcuts, each opening the site in the
// browser, where the user is signed in with their own account.
Rectangle {
    id: root

    color: QM.bg0

    VideoSitePageModel {
        id: pageModel

        objectName: "pageModel"
        app: AppModel
    }

    Flickable {
        id: scroller

        anchors.fill: parent
        contentWidth: width
        contentHeight: column.implicitHeight + 42
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

        ColumnLayout {
            id: column

            x: 40
            y: 42
            width: scroller.width - 80
            spacing: 26

            PageHeader {
                Layout.fillWidth: true
                title: "YouTube"
                subtitle: "Opens in your browser with your YouTube account"
            }

            QMSurface {
                Layout.fillWidth: true
                Layout.maximumWidth: 760
                implicitHeight: card.implicitHeight + 48
                color: QM.surface1
                radius: 14

                ColumnLayout {
                    id: card

                    anchors.fill: parent
                    anchors.margins: 24
                    spacing: 18

                    RowLayout {
                        spacing: 14

                        Rectangle {
                            implicitWidth: 52
                            implicitHeight: 52
                            radius: 14
                            antialiasing: true
                            color: QM.siteRedSoft

                            Icon {
                                anchors.centerIn: parent
                                symbol: "play.rectangle.fill"
                                size: 22
                                color: QM.siteRed
                            }
                        }

                        ColumnLayout {
                            spacing: 3

                            QMText {
                                text: "Search YouTube"
                                font: QM.h3
                                color: QM.text1
                            }

                            QMText {
                                text: "Quillmere never stores your YouTube password."
                                font: QM.caption
                                color: QM.text3
                            }
                        }
                    }

                    RowLayout {
                        spacing: 10

                        QMSearchField {
                            objectName: "searchField"
                            Layout.fillWidth: true
                            implicitHeight: 40
                            prompt: "Search videos, channels\u2026"
                            text: pageModel.query
                            onTextEdited: pageModel.query = text
                            onSubmitted: pageModel.openSearch()
                        }

                        QMButton {
                            objectName: "searchButton"
                            text: "Search"
                            kind: QMButtonKind.Primary
                            enabled: pageModel.canSearch
                            onClicked: pageModel.openSearch()
                        }
                    }

                    SiteShortcuts {
                        shortcuts: pageModel.shortcuts
                        onChosen: address => pageModel.open(address)
                    }
                }
            }
        }
    }
}

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The settings page: the list of sections on the left, the chosen section on the right.
Rectangle {
    id: root

    objectName: "settingsPage"
    color: QM.bg0

    SettingsPageModel {
        id: pageModel

        objectName: "pageModel"
        app: AppModel
    }

    RowLayout {
        anchors.fill: parent
        spacing: 0

        Rectangle {
            Layout.preferredWidth: 250
            Layout.fillHeight: true
            color: QM.sidePanel

            Column {
                anchors.fill: parent
                anchors.leftMargin: 16
                anchors.rightMargin: 16
                anchors.topMargin: 42
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
                    model: pageModel.sections

                    SettingsSectionRow {
                        required property var modelData

                        width: parent.width
                        title: modelData.title
                        symbol: modelData.symbol
                        selected: pageModel.section === modelData.title
                        onClicked: pageModel.section = modelData.title
                    }
                }
            }
        }

        Rectangle {
            Layout.preferredWidth: 1
            Layout.fillHeight: true
            color: QM.stroke
        }

        Loader {
            objectName: "sectionContent"
            Layout.fillWidth: true
            Layout.fillHeight: true
            sourceComponent: pageModel.section === "Categories" ? categories : scrolling
        }
    }

    Component {
        id: categories

        CategorySettings {}
    }

    Component {
        id: scrolling

        SettingsSectionView {
            section: pageModel.section
        }
    }
}

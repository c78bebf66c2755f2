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

            SettingsSectionList {
                anchors.fill: parent
                anchors.leftMargin: 16
                anchors.rightMargin: 16
                anchors.topMargin: 42
                sections: pageModel.sections
                section: pageModel.section
                onChosen: title => pageModel.section = title
            }
        }

        Rectangle {
            Layout.preferredWidth: 1
            Layout.fillHeight: true
            color: QM.stroke
        }

        SettingsContent {
            Layout.fillWidth: true
            Layout.fillHeight: true
            section: pageModel.section
        }
    }
}

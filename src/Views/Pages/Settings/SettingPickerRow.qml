import QtQuick
import Quillmere

// A settings row whose menu chooses the value of the setting `key`. While the row is disabled
// the menu keeps showing the stored choice but cannot be opened.
SettingsRow {
    id: root

    required property string key
    property bool pickerEnabled: true

    SettingValue {
        id: setting

        key: root.key
    }

    QMPicker {
        objectName: "picker"
        enabled: root.pickerEnabled
        selection: setting.value
        options: setting.options
        onPicked: value => setting.value = value
    }
}

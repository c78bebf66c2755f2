import QtQuick
import Quillmere

// A settings row whose switch is the Boolean setting `key`.
SettingsRow {
    id: root

    required property string key

    SettingValue {
        id: setting

        key: root.key
    }

    QMToggle {
        objectName: "toggle"
        checked: setting.value
        onToggled: setting.value = checked
    }
}

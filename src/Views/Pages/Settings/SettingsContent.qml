import QtQuick
import Quillmere

// The shown settings section: the category settings, which scroll as a list of their own, or
// any other section in the scrolling column.
Loader {
    id: root

    required property string section

    objectName: "sectionContent"
    sourceComponent: root.section === "Categories" ? categories : scrolling

    Component {
        id: categories

        CategorySettings {}
    }

    // The column reads the section through its parent, the loader itself.
    Component {
        id: scrolling

        SettingsSectionView {
            id: view

            section: (view.parent as SettingsContent).section
        }
    }
}

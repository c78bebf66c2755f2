import QtQuick
import QtQuick.Controls.Basic

// A view over the page that exists while `key` is set and is built afresh for every new key, so
// that its state starts fresh for each item or title. It fades in and out; with `slides` it also
// moves in from the trailing edge and back out to it. The views of an `opaque` layer hide all
// below them: a new view fades in over the one it replaces, which stays whole meanwhile, so that
// what lies below never shows through.
StackView {
    id: root

    property string key
    property Component view
    property bool slides: false
    property bool opaque: false
    // An opaque layer hides everything below it, from the moment its first view has come in
    // until it empties.
    readonly property bool covering: root.opaque && root.key.length > 0 && root.depth > 0 && !root.entering

    // How long the fade and the slide take, in milliseconds.
    property int duration: 200
    // The first view is still coming in.
    property bool entering: false

    function follow(): void {
        if (root.key.length === 0) {
            if (root.depth > 0)
                root.clear(StackView.PopTransition);
        } else if (root.depth === 0) {
            root.push(root.view, {}, StackView.PushTransition);
            root.entering = root.busy;
        } else {
            root.replace(null, root.view, {}, StackView.ReplaceTransition);
        }
    }

    // Empty, it lets everything through to the page below; it never takes the pointer's hover
    // itself (on a desktop a control would, even disabled, and the page below would see none),
    // only its view does. Shown, it keeps the wheel its view leaves from what lies below. A view
    // on its way out keeps its look until it has gone. (The current item tells whether it is
    // empty: Qt 6.4 does not announce the depth that clear() leaves while a view fades out.)
    enabled: root.currentItem !== null || root.busy
    hoverEnabled: false
    wheelEnabled: true
    onBusyChanged: {
        if (!root.busy)
            root.entering = false;
    }
    onKeyChanged: root.follow()
    Component.onCompleted: root.follow()

    pushEnter: Transition {
        NumberAnimation { property: "opacity"; from: 0; to: 1; duration: root.duration; easing.type: Easing.OutQuad }
        NumberAnimation { property: "x"; from: root.slides ? root.width : 0; to: 0; duration: root.duration; easing.type: Easing.OutQuad }
    }
    pushExit: null
    popEnter: null
    popExit: Transition {
        NumberAnimation { property: "opacity"; from: 1; to: 0; duration: root.duration; easing.type: Easing.OutQuad }
        NumberAnimation { property: "x"; from: 0; to: root.slides ? root.width : 0; duration: root.duration; easing.type: Easing.OutQuad }
    }
    replaceEnter: root.pushEnter
    replaceExit: root.opaque ? held : root.popExit

    Transition {
        id: held

        PauseAnimation { duration: root.duration }
    }
}

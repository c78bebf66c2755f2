import QtQuick
import Quillmere

// Every text of the views: plain text always, so that a title, a name or a description from a
// provider or a user shows as written (as markup, Qt would read tags in it and load the pictures
// of its <img> tags), in the body font and the first text colour unless the part gives its own.
Text {
    textFormat: Text.PlainText
    font: QM.body
    color: QM.text1
}

import QtQuick
import Quillmere

// A section heading inside a panel or page: small, tracked, upper case, in the third text colour.
Text {
    font: QM.overlineStyle
    color: QM.text3
    textFormat: Text.PlainText
    elide: Text.ElideRight
}

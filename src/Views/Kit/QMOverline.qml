import QtQuick
import Quillmere

// A section heading inside a panel or page: small, tracked, upper case, in the third text colour.
QMText {
    font: QM.overlineStyle
    color: QM.text3
    elide: Text.ElideRight
}

import QtQuick
import QtQuick.Layouts
import com.quorvane.vemo_ui

// Black framed row of bubble buttons with one-pixel gaps and a soft drop shadow.
Item {
    id: bar

    default property alias contents: row.data
    property int shadowOffsetSize: 2
    property int pad: 0
    property int borderSize: 1

    width: row.implicitWidth + pad
    height: row.implicitHeight + pad

    Rectangle {
        id: frame
        objectName: "frame"
        x: bar.pad / 2
        y: bar.pad / 2
        width: row.implicitWidth + 2 * bar.borderSize
        height: row.implicitHeight + 2 * bar.borderSize
        color: "black"
        border.color: "black"
        border.width: bar.borderSize

        RowLayout {
            id: row
            x: bar.borderSize
            y: bar.borderSize
            spacing: 1
        }
    }

    BlurredShadow {
        objectName: "shadow"
        z: -5
        target: frame
        horizontalOffset: bar.shadowOffsetSize
        verticalOffset: bar.shadowOffsetSize
        radius: 8
        samples: 32
        color: "#44000000"
    }
}

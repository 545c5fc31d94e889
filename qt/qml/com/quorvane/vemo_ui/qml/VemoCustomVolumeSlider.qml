import QtQuick
import com.quorvane.vemo_ui

// Volume fader from -80 dB to 0 dB with its zero mark at -6 dB; position p shows 25·ln(p) dB.
VemoCustomSlider {
    id: control

    sliderStep: 0.01
    from: 0.04076220398
    to: 1.0
    showZeroMark: true
    zeroMark: 0.7866278611
    customDisplayFunction: value => (25 * Math.log(value)).toFixed(3)
    customInvertFunction: text => Math.exp(parseFloat(text) / 25)

    VemoToolTip {
        objectName: "volumeToolTip"
        delay: 500
        text: "Value: " + (25 * Math.log(control.value)).toFixed(1) + " dB"
        visible: control.hovered || control.activeFocus
    }
}

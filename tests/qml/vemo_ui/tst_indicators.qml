import QtQuick
import QtTest
import com.quorvane.vemo_ui

Item {
    id: host

    width: 400
    height: 200

    Component {
        id: meterComponent
        VolumeIndicatorSegmented {
            width: 300
            height: 20
            segments: 10
        }
    }

    TestCase {
        name: "LevelMeter"
        when: windowShown

        function litWidths(meter) {
            const repeater = findChild(meter, "segments")
            const widths = []
            for (let i = 0; i < repeater.count; ++i) {
                const lit = findChild(repeater.itemAt(i), "lit")
                widths.push(lit.visible ? lit.width : 0)
            }
            return widths
        }

        function test_fill_and_readout_data() {
            return [
                { tag: "full scale", value: 1.0, full: 10, partial: -1, readout: "0 dB" },
                { tag: "half (-6 dB)", value: 0.5, full: 7, partial: 7, readout: "-6 dB" },
                { tag: "silence", value: 0, full: 0, partial: -1, readout: "-∞ dB" },
                { tag: "below zero", value: -0.5, full: 0, partial: -1, readout: "-∞ dB" },
                { tag: "not a number", value: NaN, full: 0, partial: -1, readout: "-∞ dB" },
                { tag: "above 0 dB", value: 2.0, full: 10, partial: -1, readout: "6 dB" }
            ]
        }

        function test_fill_and_readout(data) {
            const meter = createTemporaryObject(meterComponent, host, { value: data.value })
            const repeater = findChild(meter, "segments")
            const segmentWidth = repeater.itemAt(0).width
            const widths = litWidths(meter)
            for (let i = 0; i < 10; ++i) {
                if (i < data.full)
                    fuzzyCompare(widths[i], segmentWidth, 0.001, "segment " + i)
                else if (i === data.partial)
                    verify(widths[i] > 0 && widths[i] < segmentWidth, "segment " + i)
                else
                    compare(widths[i], 0, "segment " + i)
            }
            compare(findChild(meter, "readout").text, data.readout)
        }

        function test_partial_segment_width() {
            const meter = createTemporaryObject(meterComponent, host, { value: 0.5 })
            const bar = findChild(meter, "bar")
            const f = Math.exp(20 * Math.log10(0.5) / 25)
            fuzzyCompare(litWidths(meter)[7], (f - 0.7) * (bar.width - meter.spacing * 9), 0.001)
            const repeater = findChild(meter, "segments")
            fuzzyCompare(repeater.itemAt(1).x, bar.width / 10, 0.001)
            fuzzyCompare(repeater.itemAt(0).width, bar.width / 10 - meter.spacing, 0.001)
        }

        function test_colours_and_glow() {
            const meter = createTemporaryObject(meterComponent, host, { value: 1.0 })
            const repeater = findChild(meter, "segments")
            compare(String(findChild(repeater.itemAt(0), "lit").color), String(Qt.color("green")))
            const last = meter.interpolateColor(Qt.color("green"), Qt.color("lightgreen"), 0.9)
            compare(String(findChild(repeater.itemAt(9), "lit").color), String(last))
            verify(findChild(repeater.itemAt(0), "glow").visible)
            meter.enableInnerGlow = false
            verify(!findChild(repeater.itemAt(0), "glow").visible)
            verify(findChild(repeater.itemAt(0), "lit").visible)
        }

        function test_interpolate() {
            const meter = createTemporaryObject(meterComponent, host)
            const mid = meter.interpolateColor(Qt.rgba(0, 0, 0, 0), Qt.rgba(1, 0.5, 0.25, 1), 0.5)
            fuzzyCompare(mid.r, 0.5, 0.01)
            fuzzyCompare(mid.g, 0.25, 0.01)
            fuzzyCompare(mid.b, 0.125, 0.01)
            fuzzyCompare(mid.a, 0.5, 0.01)
        }
    }
}

import QtQuick
import QtTest
import com.quorvane.vemo_ui

// The pre-blurred shadows: each radius and samples pair the toolkit uses finds its image from a
// document outside the module, and the shadow spreads around its target by the blur's reach.
Item {
    id: host

    width: 400
    height: 300

    Rectangle {
        id: box
        x: 100
        y: 60
        width: 90
        height: 40
        color: "black"
    }

    Component {
        id: shadowComponent
        BlurredShadow { target: box }
    }

    Component {
        id: sliderComponent
        VemoCustomSlider { x: 20; y: 200; width: 300; value: 0.5 }
    }

    TestCase {
        name: "Shadows"
        when: windowShown

        function test_blurred_shadow_data() {
            return [
                { tag: "radius 8, 16 samples", radius: 8, samples: 16, reach: 8, dx: 2, dy: 2 },
                { tag: "radius 8, 32 samples", radius: 8, samples: 32, reach: 8, dx: 1, dy: 2 },
                { tag: "radius 18, 34 samples", radius: 18, samples: 34, reach: 18, dx: 4, dy: 0 }
            ]
        }

        function test_blurred_shadow(data) {
            const shadow = createTemporaryObject(shadowComponent, host, {
                radius: data.radius, samples: data.samples, horizontalOffset: data.dx,
                verticalOffset: data.dy, color: "#66000000"
            })
            compare(shadow.status, Image.Ready)
            compare(shadow.reach, data.reach)
            compare(shadow.x, box.x + data.dx - data.reach)
            compare(shadow.y, box.y + data.dy - data.reach)
            compare(shadow.width, box.width + 2 * data.reach)
            compare(shadow.height, box.height + 2 * data.reach)
            compare(shadow.border.left, 2 * data.reach)
            fuzzyCompare(shadow.opacity, 0x66 / 0xff, 0.002)
        }

        function test_slider_handle_shadow_follows_the_handle() {
            const slider = createTemporaryObject(sliderComponent, host)
            const shadow = findChild(slider, "handleShadow")
            compare(shadow.status, Image.Ready)
            compare(shadow.x, slider.handle.x - 8)
            slider.value = 0.9
            compare(shadow.x, slider.handle.x - 8)
            compare(shadow.y, slider.handle.y - 8)
        }
    }
}

import QtQuick
import QtTest
import com.quorvane.vemo_ui

Item {
    id: host

    width: 400
    height: 400

    ListModel {
        id: players

        property var calls: []

        function playTrack(playerId) {
            calls.push("play " + playerId)
        }

        function stopTrack(playerId, isUrgent) {
            calls.push("stop " + playerId + " " + isUrgent)
        }

        // The role "id" cannot be written as a ListElement.
        Component.onCompleted: {
            append({ id: 7, name: "Thunder", duration: 100, progress: 0.5, isPlaying: false, isPinned: false })
            append({ id: 9, name: "", duration: 0, progress: 0, isPlaying: true, isPinned: true })
        }
    }

    ActiveAudioList {
        id: audioList
        width: 400
        height: 300
        model: players
    }

    SignalSpy { id: positionSpy; target: audioList; signalName: "setPosition" }

    TestCase {
        name: "ActiveAudio"
        when: windowShown

        function row(index) {
            const list = findChild(audioList, "list")
            tryVerify(() => list.itemAtIndex(index) !== null)
            return list.itemAtIndex(index)
        }

        function init() {
            players.calls = []
            players.setProperty(0, "progress", 0.5)
            players.setProperty(0, "isPlaying", false)
            players.setProperty(0, "isPinned", false)
            positionSpy.clear()
        }

        function test_format_time_data() {
            return [
                { tag: "75.4 s", time: 75.4, text: "1:15" },
                { tag: "5 s", time: 5, text: "0:05" },
                { tag: "600 s", time: 600, text: "10:00" },
                { tag: "0 s", time: 0, text: "0:00" },
                { tag: "59.99 s", time: 59.99, text: "0:59" }
            ]
        }

        function test_format_time(data) {
            compare(row(0).formatTime(data.time), data.text)
        }

        function test_row_texts() {
            compare(findChild(row(0), "nameText").text, "Thunder")
            compare(findChild(row(0), "timeText").text, "0:50 / 1:40")
            compare(findChild(row(0), "progressShade").width, findChild(row(0), "trackArea").width / 2)
            compare(findChild(row(1), "nameText").text, "Name not set")
            compare(findChild(row(1), "timeText").text, "0:00 / 0:00")
            const scrollBar = findChild(audioList, "scrollBar")
            compare(row(0).width, audioList.width - scrollBar.width)
            compare(row(0).height, 40)
        }

        // Within a second of either end the position snaps to that end; the signal carries what was written.
        function test_seek_data() {
            return [
                { tag: "first second", fraction: 0.005, progress: 0 },
                { tag: "last second", fraction: 0.995, progress: 1 },
                { tag: "middle", fraction: 0.25, progress: 0.25 }
            ]
        }

        function test_seek(data) {
            const track = findChild(row(0), "trackArea")
            mouseClick(track, data.fraction * track.width, track.height / 2)
            compare(positionSpy.count, 1)
            compare(positionSpy.signalArguments[0][0], 7)
            fuzzyCompare(positionSpy.signalArguments[0][1], data.progress, 0.01)
            fuzzyCompare(players.get(0).progress, data.progress, 0.01)
            if (data.progress === 0 || data.progress === 1)
                compare(players.get(0).progress, data.progress)
        }

        function test_no_seek_without_duration() {
            const track = findChild(row(1), "trackArea")
            mouseClick(track, track.width / 2, track.height / 2)
            compare(positionSpy.count, 0)
            compare(players.get(1).progress, 0)
        }

        function test_play_and_stop_requests() {
            mouseClick(findChild(row(0), "playArea"))
            mouseClick(findChild(row(1), "playArea"))
            compare(players.calls, ["play 7", "stop 9 false"])
            verify(!findChild(row(0), "playButton").playing)
            players.setProperty(0, "isPlaying", true)
            verify(findChild(row(0), "playButton").playing)
        }

        function test_pin_toggle() {
            const pin = findChild(row(0), "pinArea")
            const icon = findChild(row(0), "pinIcon")
            const overlay = findChild(row(0), "pinOverlay")
            verify(overlay.visible)
            mouseClick(pin)
            verify(players.get(0).isPinned)
            verify(!overlay.visible)
            mouseMove(pin, 5, 5)
            mouseMove(host, 300, 350)
            compare(String(icon.source), "qrc:/images/keep.svg")
            mouseMove(pin, 10, 10)
            compare(String(icon.source), "qrc:/images/keep_off.svg")
            compare(icon.status, Image.Ready)
            mouseClick(pin, 10, 10)
            verify(!players.get(0).isPinned)
            compare(String(icon.source), "qrc:/images/keep.svg")
            verify(overlay.visible)
        }

        // The pinned row shows the icon's own colours on the list's #202020: they must be light.
        function test_pin_icons_are_light_data() {
            return [{ tag: "qrc:/images/keep.svg" }, { tag: "qrc:/images/keep_off.svg" }]
        }

        function test_pin_icons_are_light(data) {
            const canvas = createTemporaryQmlObject(
                "import QtQuick; Canvas { width: 24; height: 24; property bool drawn: false; "
                + "onImageLoaded: requestPaint(); "
                + "onPaint: { if (!isImageLoaded('" + data.tag + "')) return; "
                + "getContext('2d').drawImage('" + data.tag + "', 0, 0); drawn = true } }", host)
            canvas.loadImage(data.tag)
            tryCompare(canvas, "drawn", true)
            const pixels = canvas.getContext("2d").getImageData(0, 0, 24, 24).data
            let covered = 0
            for (let i = 0; i < pixels.length; i += 4) {
                if (pixels[i + 3] < 255)
                    continue
                ++covered
                verify(Math.min(pixels[i], pixels[i + 1], pixels[i + 2]) >= 0xc0, "pixel " + i / 4)
            }
            verify(covered > 40, "opaque pixels: " + covered)
        }

        function test_play_button_drawing_state() {
            const button = createTemporaryObject(Qt.createComponent("qrc:/qt/qml/com/quorvane/vemo_ui/qml/SfxPlayButton.qml"), host)
            button.handleClick(true)
            verify(button.playing)
            button.buttonManagesState = false
            button.handleClick(false)
            verify(button.playing)
        }
    }
}

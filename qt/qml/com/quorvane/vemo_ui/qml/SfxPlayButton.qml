import QtQuick

// The play or stop symbol of a sound-effect row: a green triangle while stopped, a red square while
// playing. It has no mouse handling: the document that places it covers it with a mouse area.
Item {
    id: root

    property bool playing: false
    property bool buttonManagesState: true

    function handleClick(isPlaying) {
        if (buttonManagesState)
            playing = isPlaying
    }

    onPlayingChanged: canvas.requestPaint()

    Canvas {
        id: canvas
        objectName: "canvas"
        anchors.fill: parent
        onPaint: {
            const ctx = getContext("2d")
            ctx.clearRect(0, 0, width, height)
            if (root.playing) {
                ctx.fillStyle = "red"
                ctx.fillRect(width / 4, height / 4, width / 2, height / 2)
            } else {
                ctx.fillStyle = "green"
                ctx.beginPath()
                ctx.moveTo(width / 4, height / 4)
                ctx.lineTo(width / 4, height * 3 / 4)
                ctx.lineTo(width * 3 / 4, height / 2)
                ctx.closePath()
                ctx.fill()
            }
        }
    }
}

import QtQuick

// Small pie that fills clockwise over `totalTime` seconds and then hides itself.
Rectangle {
    id: indicator

    property real progress: 0
    property real angle: progress * 360
    property real totalTime: 10.0
    property real startTime: 0
    property alias timer: timer
    property color pieColor: "#219ebc"

    function start(timeInSec) {
        if (!(timeInSec > 0))
            return
        totalTime = timeInSec
        timer.start()
        visible = true
    }

    function stop() {
        timer.stop()
        visible = false
    }

    width: 32
    height: 32
    color: "transparent"
    visible: false

    Timer {
        id: timer
        interval: 50
        repeat: true
        onRunningChanged: if (running) indicator.startTime = Date.now()
        onTriggered: {
            indicator.progress = (Date.now() - indicator.startTime) / 1000 / indicator.totalTime
            if (indicator.progress >= 1) {
                indicator.progress = 1
                indicator.stop()
            }
            pie.requestPaint()
        }
    }

    Canvas {
        id: pie
        anchors.fill: parent
        onPaint: {
            const ctx = getContext("2d")
            ctx.clearRect(0, 0, width, height)
            const centreX = width / 2
            const centreY = height / 2
            const start = -Math.PI / 2
            ctx.fillStyle = indicator.pieColor
            ctx.beginPath()
            ctx.moveTo(centreX, centreY)
            ctx.arc(centreX, centreY, width / 2, start, start + indicator.angle * Math.PI / 180, false)
            ctx.lineTo(centreX, centreY)
            ctx.closePath()
            ctx.fill()
        }
    }
}

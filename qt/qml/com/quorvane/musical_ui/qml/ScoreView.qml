import QtQuick
import QtQuick.Controls
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The score pane: one page, or two facing pages, of the show's score, with zoom, page turning
// and a page counter. `imageListModel` (page image URLs in page order) and `currentIndex` are set
// from outside; a page the user turns to is announced through `pageChanged` (1-based). In two-page
// mode the first page stands alone on the right, then pages 2 and 3, 4 and 5 and so on face
// each other. Each slot loads a new page into a hidden image and shows it once it is ready.
// The pages and controls are made the first time the pane is shown and kept from then on, so a
// pane that was never shown decodes no page.
Item {
    id: root

    property var imageListModel: null
    property int currentIndex: 0
    property bool twoUpMode: false
    property var imageList: imageListModel
    property string currentImage1: ""
    property string currentImage2: ""

    signal pageChanged(int value)

    function hasList() {
        return imageList !== null && imageList !== undefined
    }

    function pageCount() {
        return hasList() ? imageList.length : 0
    }

    function urlAt(index) {
        return index >= 0 && index < pageCount() ? String(imageList[index]) : ""
    }

    function index1() {
        if (!twoUpMode)
            return currentIndex
        return currentIndex % 2 === 0 ? currentIndex - 1 : currentIndex
    }

    function index2() {
        return currentIndex + currentIndex % 2
    }

    function delta() {
        return twoUpMode ? 2 : 1
    }

    // Both turns change nothing while there is no page to turn to.
    function previousPage() {
        if (pageCount() === 0)
            return
        currentIndex = Math.max(0, currentIndex - delta())
        pageChanged(currentIndex + 1)
    }

    function nextPage() {
        if (pageCount() === 0)
            return
        currentIndex = Math.min(pageCount() - 1, currentIndex + delta())
        pageChanged(currentIndex + 1)
    }

    // One page slot: the shown image and a hidden image that loads the next page.
    component PageSlot: Item {
        id: slot

        property string shownUrl: ""
        property int alignment: Image.AlignHCenter
        readonly property alias shownImage: shown

        signal handedOver(string url)

        function showAtOnce(url) {
            loading.source = url
            loading.visible = false
            handedOver(url)
        }

        // A blank page has nothing to load and is shown at once.
        function load(url) {
            if (url === "") {
                showAtOnce(url)
                return
            }
            loading.source = ""
            loading.source = url
            Qt.callLater(slot.settle)
        }

        function settle() {
            if (loading.status === Image.Ready && String(loading.source) !== shownUrl)
                handOver()
            else if (loading.status !== Image.Ready)
                loading.visible = true
        }

        function handOver() {
            loading.visible = false
            handedOver(String(loading.source))
        }

        Image {
            id: shown
            objectName: "shownImage"
            anchors.fill: parent
            source: slot.shownUrl
            fillMode: Image.PreserveAspectFit
            horizontalAlignment: slot.alignment
            asynchronous: true
            cache: true
            smooth: true
            mipmap: true
        }

        Image {
            id: loading
            objectName: "loadingImage"
            anchors.fill: parent
            visible: false
            fillMode: Image.PreserveAspectFit
            horizontalAlignment: slot.alignment
            asynchronous: true
            cache: true
            smooth: true
            mipmap: true
            onStatusChanged: {
                if (status === Image.Ready && String(source) !== "")
                    slot.handOver()
            }
        }
    }

    Loader {
        id: body
        anchors.fill: parent
        anchors.margins: 5
        active: false
        sourceComponent: pagePane
    }

    Binding {
        target: body
        property: "active"
        value: true
        when: root.visible
        restoreMode: Binding.RestoreNone
    }

    Component {
        id: pagePane

        Rectangle {
            id: pane

            property real baseWidth: pageArea.width / (root.twoUpMode ? 2 : 1)
            property real baseHeight: pageArea.height
            property real previousZoom: 1.0

            color: theme.default_bg_color

            // Refreshes the first slot for the current mode.
            function updateImages() {
                if (root.pageCount() === 0)
                    return
                const index = root.index1()
                slot1.showAtOnce(root.twoUpMode && index < 0 ? "" : root.urlAt(index))
            }

            function fillEmptySlots() {
                const first = root.index1()
                if (root.currentImage1 === "" && !(root.twoUpMode && first < 0))
                    slot1.showAtOnce(root.urlAt(first))
                const second = root.index2()
                if (root.currentImage2 === "" && second >= 0 && second < root.pageCount())
                    slot2.showAtOnce(root.urlAt(second))
            }

            // Width of the painted pages at zoom `zoom`, without the margins that aspect fitting leaves.
            function trimmedWidth(zoom) {
                const page = baseWidth * zoom
                if (root.twoUpMode)
                    return 2 * page + pages.spacing - 2 * (1 - fitRatio()) * page
                return fitRatio() * page
            }

            function trim(zoom) {
                const margin = (1 - fitRatio()) * baseWidth * zoom
                return root.twoUpMode ? margin : margin / 2
            }

            function fitRatio() {
                const image = slot1.shownImage
                if (image.status === Image.Ready && image.width > 0)
                    return image.paintedWidth / image.width
                return 1
            }

            function keepCentre(zoom) {
                const centre = (pageArea.contentX + pageArea.width / 2) / Math.max(1, trimmedWidth(previousZoom))
                const content = trimmedWidth(zoom)
                if (content <= pageArea.width)
                    pageArea.contentX = 0
                else
                    pageArea.contentX = Math.max(0, Math.min(content - pageArea.width, centre * content - pageArea.width / 2))
                previousZoom = zoom
            }

            Component.onCompleted: fillEmptySlots()

            Connections {
                target: root

                function onCurrentIndexChanged() {
                    const first = root.index1()
                    if (root.twoUpMode && first < 0)
                        slot1.showAtOnce("")
                    else
                        slot1.load(root.urlAt(first))
                    const second = root.index2()
                    if (second === root.pageCount())
                        slot2.showAtOnce("")
                    else if (second === root.pageCount() - 1)
                        slot2.showAtOnce(root.urlAt(second))
                    else
                        slot2.load(root.urlAt(second))
                }

                function onTwoUpModeChanged() {
                    pane.updateImages()
                    const second = root.index2()
                    if (root.twoUpMode && second >= 0 && second < root.pageCount())
                        slot2.showAtOnce(root.urlAt(second))
                }

                function onImageListChanged() {
                    pane.fillEmptySlots()
                }
            }

            VemoTheme { id: theme }

            Column {
                anchors.fill: parent
                anchors.margins: 5
                spacing: 12

                Flickable {
                    id: pageArea
                    objectName: "pageArea"
                    width: parent.width
                    height: Math.max(0, parent.height - controls.height - pageLabel.height - 2 * parent.spacing)
                    clip: true
                    contentWidth: Math.max(pane.trimmedWidth(zoomSlider.value), width)
                    contentHeight: slot1.height

                    Row {
                        id: pages
                        objectName: "pageRow"
                        x: Math.max(0, (pageArea.width - pane.trimmedWidth(zoomSlider.value)) / 2)
                           - pane.trim(zoomSlider.value)
                        spacing: 5

                        PageSlot {
                            id: slot1
                            objectName: "slot1"
                            width: pane.baseWidth * zoomSlider.value
                            height: pane.baseHeight * zoomSlider.value
                            shownUrl: root.currentImage1
                            alignment: root.twoUpMode ? Image.AlignRight : Image.AlignHCenter
                            onHandedOver: url => root.currentImage1 = url
                        }

                        PageSlot {
                            id: slot2
                            objectName: "slot2"
                            width: pane.baseWidth * zoomSlider.value
                            height: pane.baseHeight * zoomSlider.value
                            visible: root.twoUpMode
                            shownUrl: root.currentImage2
                            alignment: Image.AlignLeft
                            onHandedOver: url => root.currentImage2 = url
                        }
                    }
                }

                Row {
                    id: controls
                    anchors.horizontalCenter: parent.horizontalCenter
                    spacing: 10

                    FlatButton {
                        objectName: "previousButton"
                        text: "Previous"
                        onClicked: root.previousPage()
                    }

                    FlatButton {
                        objectName: "nextButton"
                        text: "Next"
                        onClicked: root.nextPage()
                    }

                    FlatButton {
                        objectName: "modeButton"
                        text: root.twoUpMode ? "Single Page" : "Double Page"
                        onClicked: root.twoUpMode = !root.twoUpMode
                    }

                    VemoCustomSlider {
                        id: zoomSlider
                        objectName: "zoomSlider"
                        anchors.verticalCenter: parent.verticalCenter
                        from: 1.0
                        to: 3.0
                        value: 1.0
                        stepSize: 0.01
                        zeroMark: 1
                        snapTolerance: 0
                        onValueChanged: pane.keepCentre(value)
                    }
                }

                Text {
                    id: pageLabel
                    objectName: "pageLabel"
                    anchors.horizontalCenter: parent.horizontalCenter
                    color: "white"
                    font: theme.default_font
                    textFormat: Text.PlainText
                    text: root.hasList() ? "Page " + (root.currentIndex + 1) + " of " + root.pageCount() : "No Score"
                }
            }
        }
    }
}

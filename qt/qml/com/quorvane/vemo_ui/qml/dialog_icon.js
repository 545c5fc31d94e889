.pragma library

// The icon and its colour for a dialog type, compared upper-cased: "ERROR", "WARNING" and "INFO"
// have one each; any other type has no icon and the colour "Silver".
var kinds = {
    "ERROR": { source: "qrc:/images/error_icon.svg", color: "#FF5757" },
    "WARNING": { source: "qrc:/images/warning_icon.svg", color: "#FFC400" },
    "INFO": { source: "qrc:/images/info_icon.svg", color: "#00AEEF" }
}

function kindOf(type) {
    return kinds[String(type).toUpperCase()]
}

function source(type) {
    const kind = kindOf(type)
    return kind ? kind.source : ""
}

function color(type) {
    const kind = kindOf(type)
    return kind ? kind.color : "Silver"
}

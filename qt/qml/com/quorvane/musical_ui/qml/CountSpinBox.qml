import QtQuick
import com.quorvane.vemo_ui

// The whole-number input of a value tool: "-" and "+" step the count inside [from, to], and
// `validate()` reads the typed text. The text is read as a number by the script's own rules
// ("0x10" is 16, "1e3" is 1000), never by the int property, which would round fractions and wrap
// numbers beyond the int range; a fraction is cut toward zero and anything outside the range is
// clamped to the nearer bound.
RecessedSpinBox {
    id: root

    // Shows a count of 0 as "∞" (a vamp without a set count).
    property bool zeroIsEndless: false
    // What text that is not a number (blank included) does: "endless" gives count 0 shown "∞",
    // "restore" shows the current count again, "keep" leaves the text as typed. The count keeps
    // its last valid value in the last two.
    property string notANumber: "restore"

    function shown(count) {
        return zeroIsEndless && count === 0 ? "∞" : String(count)
    }

    function setCount(count) {
        intValue = count
        value = shown(count)
    }

    function validate() {
        const text = String(value)
        const number = text.trim() === "" ? NaN : Number(text)
        if (isNaN(number)) {
            if (notANumber === "endless")
                setCount(0)
            else if (notANumber === "restore")
                value = shown(intValue)
            return
        }
        // Math.max also turns -0 into 0.
        setCount(Math.max(from, Math.min(to, Math.trunc(number))))
    }

    width: 125
    textIndent: 0

    onIncrementValue: if (intValue < to) setCount(intValue + 1)
    onDecrementValue: if (intValue > from) setCount(intValue - 1)
}

#pragma once

#include <QByteArray>
#include <QString>

namespace vemo::osc {

// Encodes a one-line command text such as `/vemo/volume -6` or `/cue/12/go "Scene 4" 1 0.5` as one
// OSC datagram: the address is the text before the first blank, the rest is cut into arguments
// (double quotes group a string argument). An unquoted argument is an int32 when QString::toInt
// (base 10) accepts it, else a float32 when QString::toFloat does, else a string. An empty text
// gives an empty datagram.
QByteArray BuildOscDatagram(const QString& text);

// The type an unquoted argument is written as, 'i', 'f' or 's', exactly as QString::toInt (base 10)
// and then QString::toFloat classify it, with the number in `intValue` or `floatValue`. Tokens that
// cannot be numbers skip Qt's conversions, and short whole numbers are read directly.
char ClassifyOscToken(const QString& token, qint32& intValue, float& floatValue);

} // namespace vemo::osc

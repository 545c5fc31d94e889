#pragma once

#include "osc/osc_message.h"

#include <vemo_test/stream_capture.h>

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <string>

namespace vemo::osc::testing {

// One line per message: the address, then each argument as i:<int>, f:<float> or s:<text>.
QString Describe(const OscMessage& message);

// Decodes a datagram held in a QByteArray.
OscMessage Parse(const QByteArray& datagram);

// The message that the one-line command text encodes, decoded again.
OscMessage MessageOf(const QString& text);

// A UDP port that was free a moment ago: a throwaway socket is bound to port 0 and closed.
std::uint16_t FreeUdpPort();

// Collects what is written to a standard stream while it lives.
using StreamCapture = vemo::testing::CapturedStream;

} // namespace vemo::osc::testing

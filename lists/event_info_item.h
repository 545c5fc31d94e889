#pragma once

#include <vemo_core/vemo_event.h>

#include <QMetaType>
#include <QString>

#include <cstdint>
#include <string>

namespace vemo::qt {

// One row of the event list: the event's ticks, kind code, value text and whether it has an end.
struct EventInfoItem {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    std::uint8_t code = 0;
    QString count;
    bool paired = false;

    bool operator==(const EventInfoItem& other) const = default;
};

EventInfoItem MakeEventInfoItem(const cmn::VemoEvent& event);

// The kind name an event-list row shows for a kind code: the core library's name, with "Fermata"
// shown as "Skip"; empty for a code the library does not name.
QString EventTypeName(std::uint8_t code);

// The value text an event-list row shows for an event of any kind.
QString EventValueText(const cmn::VemoEvent& event);

// A short text for an OSC cue message: "▶ Thunder" for "/vemo/sfx/Thunder/play", "Volume Change"
// for "/vemo/volume ...", "Fade To..." for "/vemo/fadeto ...", else the trimmed message.
QString OscMessageDisplayText(const std::string& message);

} // namespace vemo::qt

Q_DECLARE_METATYPE(vemo::qt::EventInfoItem)

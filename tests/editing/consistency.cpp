#include "consistency.h"

#include "lists/event_info_item.h"
#include "lists/event_list.h"
#include "lists/marker_list.h"

#include <vemo_core/codes.h>
#include <vemo_core/song_log.h>

#include <algorithm>
#include <ranges>
#include <sstream>
#include <vector>

namespace edittest {

namespace {

std::string ValueOf(const cmn::VemoEvent& event)
{
    switch (event.code()) {
    case codes::kMarker:
        return event.value();
    case codes::kTempoScale: {
        std::ostringstream text;
        text << event.float_value();
        return text.str();
    }
    case codes::kSfx:
    case codes::kSfxAmbient: {
        const CL::SfxProperties p = event.sfx_properties();
        std::ostringstream text;
        text << p.name() << "|" << p.effectId() << "|" << p.outputPath() << "|" << p.volume() << "|" << p.pan()
             << "|" << p.reverb();
        return text.str();
    }
    case codes::kOsc: {
        const CL::OscProperties p = event.osc_properties();
        return p.Message() + "|" + p.NetworkId();
    }
    default:
        return std::to_string(event.int_value());
    }
}

template <class Events>
void Collect(const Events& events, SongEvents& into)
{
    for (const auto& event : events) {
        const EventFacts facts = FactsOf(*event);
        into[KeyOf(facts)] = facts;
    }
}

SongEvents PublishedEvents(const CL::SongLog& log)
{
    SongEvents events;
    Collect(log.GetVamps(), events);
    Collect(log.GetRepeats(), events);
    Collect(log.GetCuts(), events);
    Collect(log.GetTranspositions(), events);
    Collect(log.GetTempoScales(), events);
    Collect(log.GetMarkers(), events);
    Collect(log.GetClicks(), events);
    Collect(log.GetFermatas(), events);
    Collect(log.GetCaesuras(), events);
    Collect(log.GetSfxs(), events);
    Collect(log.GetSfxAmbients(), events);
    Collect(log.GetOscs(), events);
    return events;
}

std::string Difference(const std::string& left, const SongEvents& a, const std::string& right, const SongEvents& b)
{
    for (const auto& [key, facts] : a) {
        const auto other = b.find(key);
        if (other == b.end())
            return Describe(facts) + " is in the " + left + " but not in the " + right;
        if (!(other->second == facts))
            return "the " + left + " holds " + Describe(facts) + ", the " + right + " " + Describe(other->second);
    }
    for (const auto& [key, facts] : b) {
        if (!a.contains(key))
            return Describe(facts) + " is in the " + right + " but not in the " + left;
    }
    return {};
}

std::string CheckEventRows(EditRig& rig)
{
    const auto panelEvents = rig.engine->GetChangeLogPanelEvents();
    auto& model = rig.controller->EventList().Model();
    if (model.rowCount() != static_cast<int>(panelEvents.size()))
        return "the event list has " + std::to_string(model.rowCount()) + " rows for "
               + std::to_string(panelEvents.size()) + " panel events";
    for (std::size_t row = 0; row < panelEvents.size(); ++row) {
        if (!(model.ItemAt(static_cast<int>(row)) == vemo::qt::MakeEventInfoItem(*panelEvents[row])))
            return "event list row " + std::to_string(row) + " is not " + Describe(FactsOf(*panelEvents[row]));
    }
    return {};
}

std::string CheckMarkerRows(EditRig& rig)
{
    std::vector<cmn::VemoEvent*> markers = rig.engine->GetMarkers();
    std::stable_sort(markers.begin(), markers.end(),
                     [](const cmn::VemoEvent* a, const cmn::VemoEvent* b) { return a->abs_time() < b->abs_time(); });
    auto& model = rig.controller->MarkerList().Model();
    if (model.rowCount() != static_cast<int>(markers.size()))
        return "the marker list has " + std::to_string(model.rowCount()) + " rows for " + std::to_string(markers.size())
               + " markers";
    for (std::size_t row = 0; row < markers.size(); ++row) {
        const vemo::qt::MarkerInfoItem item = model.ItemAt(static_cast<int>(row));
        if (item.position != markers[row]->abs_time() || item.name != markers[row]->value())
            return "marker list row " + std::to_string(row) + " is not " + Describe(FactsOf(*markers[row]));
    }
    return {};
}

} // namespace

EventFacts FactsOf(const cmn::VemoEvent& event)
{
    return {event.code(), event.EventId(), event.start(), event.end(), ValueOf(event)};
}

std::string KeyOf(const EventFacts& facts)
{
    return std::string(1, static_cast<char>(facts.code)) + ":" + facts.id;
}

std::string Describe(const EventFacts& facts)
{
    return KeyOf(facts) + " [" + std::to_string(facts.start) + ", " + std::to_string(facts.end) + "] "
           + facts.value;
}

SongEvents EditorEvents(EditRig& rig)
{
    SongEvents events;
    Collect(rig.showManager->GetEditor()->GetEventsByEventId() | std::views::values, events);
    return events;
}

SongEvents EditorEvents(EditRig& rig, const std::string& song)
{
    SongEvents events;
    if (const CL::SongDocument* log = rig.showManager->GetEditor()->Document().Song(song))
        Collect(log->events, events);
    return events;
}

std::string CheckConsistency(EditRig& rig, const std::optional<SongEvents>& expected)
{
    const SongEvents editor = EditorEvents(rig);
    const CL::SongLog* log = rig.engine->GetSongLog();
    const SongEvents published = log != nullptr ? PublishedEvents(*log) : SongEvents{};
    std::string difference = Difference("editor's log", editor, "published log", published);
    if (difference.empty() && expected)
        difference = Difference("shadow log", *expected, "editor's log", editor);
    if (difference.empty()) {
        SongEvents markers;
        Collect(rig.engine->GetMarkers(), markers);
        SongEvents publishedMarkers;
        if (log != nullptr)
            Collect(log->GetMarkers(), publishedMarkers);
        difference = Difference("player's markers", markers, "published markers", publishedMarkers);
    }
    if (difference.empty())
        difference = CheckEventRows(rig);
    if (difference.empty())
        difference = CheckMarkerRows(rig);
    return difference;
}

} // namespace edittest

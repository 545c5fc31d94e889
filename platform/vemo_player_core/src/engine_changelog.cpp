#include "engine_core.h"

#include <vemo_core/change_log.h>
#include <vemo_core/errors.h>
#include <vemo_core/show_record.h>

#include <algorithm>
#include <iostream>

namespace vemo::engine {
namespace {

CL::NetworkPathVectorT networksOf(const ShowDescription& show)
{
    CL::NetworkPathVectorT networks;
    for (const auto& n : show.networks) {
        CL::NetworkPath path;
        path.SetNetworkId(n.networkId);
        path.SetName(n.name);
        path.SetIpAddress(n.ip);
        path.SetPort(n.port);
        path.SetTransport(n.transport);
        networks.push_back(path);
    }
    return networks;
}

std::vector<CL::OutputPath> outputPathsOf(const ShowDescription& show)
{
    std::vector<CL::OutputPath> paths;
    for (const auto& p : show.outputPaths)
        paths.emplace_back(p.id, p.name, p.deviceId, p.deviceName);
    return paths;
}

PlayRegion regionOf(const cmn::VemoEvent& e)
{
    PlayRegion r;
    r.code = e.code();
    r.id = e.EventId();
    r.start = e.start();
    r.end = e.end();
    r.intValue = e.int_value();
    r.floatValue = e.float_value();
    if (r.code == 'R')
        r.sfx = e.sfx_properties();
    return r;
}

PlayPoint pointOf(const cmn::VemoEvent& e)
{
    PlayPoint p;
    p.code = e.code();
    p.id = e.EventId();
    p.tick = e.start();
    if (p.code == 'E')
        p.text = e.value();
    if (p.code == 'S') {
        p.text = e.osc_properties().Message();
        p.networkId = e.osc_properties().NetworkId();
    }
    if (p.code == 'Q')
        p.sfx = e.sfx_properties();
    return p;
}

// The version in a file name "<Stem>-<M>.<m>.logdata".
std::optional<cmn::VEMOVersion> versionInName(const std::string& name)
{
    const std::string suffix = ".logdata";
    const auto dash = name.rfind('-');
    const bool endsWithSuffix =
        name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
    if (dash == std::string::npos || !endsWithSuffix)
        return std::nullopt;
    const auto text = name.substr(dash + 1, name.size() - suffix.size() - dash - 1);
    cmn::VEMOVersion version;
    const auto dot = text.find('.');
    auto isNumber = [](const std::string& part) {
        return !part.empty() && part.size() <= 3
               && std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (dot == std::string::npos || !isNumber(text.substr(0, dot)) || !isNumber(text.substr(dot + 1)))
        return std::nullopt;
    version.majorVersion = static_cast<UInt16>(std::stoi(text.substr(0, dot)));
    version.minorVersion = static_cast<UInt16>(std::stoi(text.substr(dot + 1)));
    return version;
}

}  // namespace

void EngineCore::SetupEditor()
{
    CL::EditorContext context;
    context.songLength = [this](const std::string& song) -> UInt32 {
        const auto* description = show_.FindSong(song);
        return description ? description->length : 0;
    };
    context.clickValues = [this](const std::string& song, UInt32 start, UInt32 end) {
        const auto* description = show_.FindSong(song);
        return description ? ClickValues(*description, start, end) : std::vector<int>{};
    };
    context.currentSong = [this] {
        std::shared_lock lock(songState_.mutex);
        return songState_.currentSongNumber;
    };
    editor_.SetContext(std::move(context));
    editor_.SetCallHook([this](const std::string& name, const std::string& args) { Enter(name, name + "(" + args + ")"); });
}

void EngineCore::LoadInitialChangeLog()
{
    struct Candidate {
        std::filesystem::path file;
        cmn::VEMOVersion version;
    };
    std::vector<Candidate> candidates;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(showFolder_, error)) {
        const auto name = entry.path().filename().string();
        if (!entry.is_regular_file() || name.size() <= 8 || name.substr(name.size() - 8) != ".logdata")
            continue;
        if (auto version = versionInName(name)) {
            candidates.push_back({entry.path(), *version});
            continue;
        }
        try {
            candidates.push_back({entry.path(), CL::ChangeLog(entry.path(), recordFile_).version()});
        } catch (const std::exception& e) {
            std::cerr << "Skipping change log " << name << ": " << e.what() << std::endl;
        }
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return b.version < a.version; });
    for (const auto& candidate : candidates) {
        std::error_code readable;
        if (!std::filesystem::is_regular_file(candidate.file, readable)) {
            std::cerr << "Skipping change log " << candidate.file.filename().string() << ": cannot be read" << std::endl;
            continue;
        }
        UseDocument(CL::ChangeLogDocument::Load(candidate.file, recordFile_), candidate.file.filename().string());
        return;
    }
    CL::ChangeLogDocument empty;
    empty.SetShowId(show_.id);
    empty.SetNetworks(networksOf(show_));
    empty.SetOutputPaths(outputPathsOf(show_));
    for (const auto& song : show_.songs) {
        if (song.attacca != 0)
            empty.SongForWriting(song.number).attacca = static_cast<UInt8>(song.attacca);
    }
    UseDocument(std::move(empty), "");
}

// The editor is only called outside the engine lock: its call hook takes the lock to journal.
void EngineCore::UseDocument(CL::ChangeLogDocument document, const std::string& fileName)
{
    auto report = editor_.LoadDocument(std::move(document));
    auto published = editor_.PublishDocument();
    Lock lock(mutex_);
    loadReport_ = std::move(report);
    scriptedWarnings_.reset();
    logFileName_ = fileName;
    Publish(std::move(published));
    Wake();
}

void EngineCore::PublishWorkingLog()
{
    auto published = editor_.PublishDocument();
    Lock lock(mutex_);
    if (!player_ || shutDown_)
        return;
    Publish(std::move(published));
    Wake();
}

void EngineCore::Publish(CL::ChangeLogDocument published)
{
    published_ = std::move(published);
    for (auto& [song, log] : songLogs_)
        retired_.push_back(log);
    songLogs_.clear();
    markers_.clear();
    for (const auto& song : show_.songs) {
        const auto* document = published_.Song(song.number);
        auto log = document ? std::make_shared<const CL::SongLog>(*document) : std::make_shared<const CL::SongLog>();
        auto& markers = markers_[song.number];
        for (const auto& marker : log->GetMarkers()) {
            handedOutMarkers_.push_back(marker->Clone());
            markers.push_back(handedOutMarkers_.back().get());
        }
        songLogs_[song.number] = std::move(log);
    }
    if (player_)
        player_->SetTables(Compile(published_));
}

PlayTables EngineCore::Compile(const CL::ChangeLogDocument& document) const
{
    PlayTables tables;
    for (const auto& song : show_.songs) {
        auto& table = tables[song.number];
        const auto* log = document.Song(song.number);
        table.attacca = log ? log->attacca : song.attacca;
        if (!log)
            continue;
        for (const auto& event : log->events) {
            switch (event->code()) {
            case '@': table.vamps.push_back(regionOf(*event)); break;
            case 'A': table.repeats.push_back(regionOf(*event)); break;
            case 'B': table.cuts.push_back(regionOf(*event)); break;
            case 'C': table.transpositions.push_back(regionOf(*event)); break;
            case 'D': table.tempoScales.push_back(regionOf(*event)); break;
            case 'L': table.clicks.push_back(regionOf(*event)); break;
            case 'M': table.skips.push_back(regionOf(*event)); break;
            case 'R': table.ambients.push_back(regionOf(*event)); break;
            case 'E': table.markers.push_back(pointOf(*event)); break;
            case 'N': table.caesuras.push_back(pointOf(*event)); break;
            case 'Q': table.sfx.push_back(pointOf(*event)); break;
            case 'S': table.oscs.push_back(pointOf(*event)); break;
            default: break;
            }
        }
    }
    return tables;
}

const CL::SongLog* EngineCore::CurrentSongLog() const
{
    static const CL::SongLog empty;
    Lock lock(mutex_);
    if (!player_)
        return &empty;
    const auto it = songLogs_.find(player_->Song());
    return it == songLogs_.end() ? &empty : it->second.get();
}

std::vector<cmn::VemoEvent*> EngineCore::Markers()
{
    Lock lock(mutex_);
    if (!player_)
        return {};
    auto markers = markers_[player_->Song()];
    std::stable_sort(markers.begin(), markers.end(), [](auto* a, auto* b) { return a->start() < b->start(); });
    return markers;
}

std::vector<std::unique_ptr<cmn::VemoEvent>> EngineCore::PanelEvents() const
{
    const auto* log = CurrentSongLog();
    std::vector<std::unique_ptr<cmn::VemoEvent>> events;
    for (const auto& event : log->AllEvents()) {
        if (event->code() != 'E')
            events.push_back(event->Clone());
    }
    return events;
}

void EngineCore::SwitchChangeLog(const std::string& fileName)
{
    UseDocument(CL::ChangeLogDocument::Load(showFolder_ / fileName, recordFile_), fileName);
}

std::string EngineCore::Save(int major, int minor)
{
    if (major < 0 || major > 255 || minor < 0 || minor > 255)
        throw std::out_of_range("Change-log version numbers must be 0 to 255");
    const auto name = ShowStem(show_.name) + "-" + std::to_string(major) + "." + std::to_string(minor) + ".logdata";
    editor_.SaveAs(showFolder_ / name,
                   cmn::VEMOVersion{static_cast<UInt16>(major), static_cast<UInt16>(minor)});
    Lock lock(mutex_);
    logFileName_ = name;
    return name;
}

std::string EngineCore::ChangeLogFileName() const
{
    Lock lock(mutex_);
    return logFileName_;
}

std::string EngineCore::WarningClick() const
{
    Lock lock(mutex_);
    if (scriptedWarnings_)
        return scriptedWarnings_->click;
    // Events the load renamed are edits it changed too: they join the same report.
    const auto clicks = loadReport_.ModifiedClickEditLog();
    const auto renamed = loadReport_.EventIdWarnings();
    return clicks.empty() || renamed.empty() ? clicks + renamed : clicks + "\n" + renamed;
}

std::string EngineCore::WarningTempo() const
{
    Lock lock(mutex_);
    return scriptedWarnings_ ? scriptedWarnings_->tempo : loadReport_.TempoScaleWarnings();
}

int EngineCore::WarningInvertedCount() const
{
    Lock lock(mutex_);
    return scriptedWarnings_ ? scriptedWarnings_->invertedCount : loadReport_.InvertedLoopEventCount();
}

std::string EngineCore::WarningInvertedText() const
{
    Lock lock(mutex_);
    if (scriptedWarnings_)
        return scriptedWarnings_->inverted;
    return loadReport_.InvertedLoopEventDescription([this](const std::string& song, UInt32 tick) {
        const auto grid = GridOf(song, false);
        const int index = grid.IndexAtOrBefore(tick);
        return index < 0 ? std::string() : std::to_string(grid.Beats()[static_cast<std::size_t>(index)].bar);
    });
}

CL::NetworkPathVectorT EngineCore::Networks() const
{
    Lock lock(mutex_);
    return published_.Networks();
}

std::map<std::string, CL::OutputPath> EngineCore::OutputPaths() const
{
    Lock lock(mutex_);
    std::map<std::string, CL::OutputPath> paths;
    for (const auto& p : published_.OutputPaths())
        paths[p.GetId()] = p;
    return paths;
}

void EngineCore::PutOutputPath(const CL::OutputPath& path, bool remove)
{
    if (remove)
        editor_.RemoveOutputPath(path.GetId());
    else
        editor_.PutOutputPath(path);
    Lock lock(mutex_);
    if (remove)
        published_.RemoveOutputPath(path.GetId());
    else
        published_.PutOutputPath(path);
}

void EngineCore::SetAttacca(const std::string& song, UInt8 state)
{
    if (state > 2)
        throw std::out_of_range("Attacca state must be 0, 1 or 2");
    if (!show_.FindSong(song))
        throw std::out_of_range("Song " + song + " does not exist.");
    editor_.SetAttacca(song, state);
    Lock lock(mutex_);
    published_.SongForWriting(song).attacca = state;
    if (player_)
        player_->SetAttacca(song, state);
}

UInt8 EngineCore::Attacca(const std::string& song) const
{
    Lock lock(mutex_);
    return player_ ? static_cast<UInt8>(player_->Attacca(song)) : 0;
}

vemo::core::DataVector EngineCore::AuthorizationData() const
{
    try {
        const vemo::core::ShowRecordStore store(dataDirectory_);
        const auto& credential = store.Record(show_.id).credential;
        return vemo::core::DataVector(credential.begin(), credential.end());
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace vemo::engine

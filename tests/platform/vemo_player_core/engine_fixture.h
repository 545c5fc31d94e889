#pragma once

#include <vemo_player_core/audio_interface.h>
#include <vemo_test/test_environment.h>

#include <vemo_core/notify.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace enginetest {

struct Note {
    notify::EventKind kind;
    int value;
    std::string text;
};

// Records every engine notification, and on which thread it arrived.
class Recorder {
public:
    Recorder()
    {
        observer_.SetCallbackFunc(
            [this](int id, int value, const char* text, void*) {
                std::lock_guard lock(mutex_);
                notes_.push_back({static_cast<notify::EventKind>(id), value, text ? text : ""});
                threads_.push_back(std::this_thread::get_id());
            },
            nullptr);
        for (int kind = 0; kind < notify::kEventKindCount; ++kind)
            observer_.Register(static_cast<notify::EventKind>(kind), kind);
    }

    std::vector<Note> Notes() const
    {
        std::lock_guard lock(mutex_);
        return notes_;
    }
    std::vector<Note> Of(notify::EventKind kind) const
    {
        std::vector<Note> out;
        for (const auto& n : Notes()) {
            if (n.kind == kind)
                out.push_back(n);
        }
        return out;
    }
    std::vector<std::string> Texts(notify::EventKind kind) const
    {
        std::vector<std::string> out;
        for (const auto& n : Of(kind))
            out.push_back(n.text);
        return out;
    }
    bool AllFrom(std::thread::id forbidden) const
    {
        std::lock_guard lock(mutex_);
        return std::none_of(threads_.begin(), threads_.end(), [&](auto id) { return id == forbidden; });
    }
    void Clear()
    {
        std::lock_guard lock(mutex_);
        notes_.clear();
        threads_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<Note> notes_;
    std::vector<std::thread::id> threads_;
    notify::EventObserver observer_;  // last: it goes first and waits for a running callback
};

inline std::filesystem::path DemoShowSource()
{
    return VEMO_DEMO_SHOW_DATA;
}

// A fresh copy of a show folder under the test's temporary root.
inline std::filesystem::path CopyShow(const std::filesystem::path& source, const std::string& name)
{
    static std::atomic<int> counter{0};
    const auto target = vemo::testing::TestRoot() / "shows" / (name + std::to_string(counter++));
    std::filesystem::create_directories(target);
    std::filesystem::copy(source, target, std::filesystem::copy_options::recursive);
    return target;
}

inline vemo::AudioInterface::Options ManualClock()
{
    vemo::AudioInterface::Options options;
    options.clock = vemo::AudioInterface::Options::Clock::Manual;
    return options;
}

inline bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The fixtures' songs are 4/4: a bar is 1920 ticks (2 s at 120 bpm).
inline constexpr UInt32 kBar = 1920;

inline UInt32 barStart(int bar)
{
    return kBar * static_cast<UInt32>(bar - 1);
}

}  // namespace enginetest

#include <vemo_core/events.h>
#include <vemo_test/fixture_show.h>

#include <QJsonDocument>

#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>

namespace enginetest {

// A show folder written by a test, and the engine's data folder beside it.
struct FixtureShow {
    std::filesystem::path folder;
    std::filesystem::path dataDirectory;
};

// The JSON object of `text`; a test that writes a broken one fails at once.
inline QJsonObject JsonObject(const std::string& text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        throw std::invalid_argument("Fixture text is not a JSON object: " + text);
    return document.object();
}

// The show.json entry of a 4/4 song at 120 bpm; `extra` adds or replaces fields (`, "attacca": 1`).
inline std::string FourFourSong(const std::string& number, int bars = 32, const std::string& extra = {})
{
    vemo::testing::Song song{.number = number, .bars = bars};
    song.extraFields = JsonObject(R"({"number": ")" + number + "\"" + extra + "}");
    return QJsonDocument(song.Entry()).toJson(QJsonDocument::Compact).toStdString();
}

// A show named "Fixture" (id "fixture") with the songs of `songsJson` (a JSON array text) and the
// change log "Fixture-1.0.logdata" of `events` by song number; `extraTopLevel` adds show.json
// fields (`"pages": [...], `).
inline FixtureShow MakeShow(const std::string& songsJson,
                            const std::map<std::string, std::vector<std::shared_ptr<cmn::VemoEvent>>>& events = {},
                            const std::string& extraTopLevel = {})
{
    vemo::testing::FixtureShow show;
    // The songs' entries are written as given; the song records carry only the change log.
    show.extraFields = JsonObject("{" + extraTopLevel + R"("songs": )" + songsJson + "}");
    for (const auto& [number, list] : events)
        show.songs.push_back({.number = number, .events = {list.begin(), list.end()}});
    const auto folder = show.Write();
    return {folder, folder.parent_path() / "data"};
}

inline std::unique_ptr<vemo::AudioInterface> MakeEngine(const FixtureShow& show,
                                                        std::shared_ptr<vemo::PlayerOscCallback> osc = nullptr)
{
    auto engine = std::make_unique<vemo::AudioInterface>(show.folder.string(), show.dataDirectory.string(), false,
                                                         std::move(osc), ManualClock());
    engine->ThrowIfThreadExceptions();
    engine->Probe().Drain();
    return engine;
}

template<class T, class... A>
std::shared_ptr<cmn::VemoEvent> Ev(A&&... args)
{
    return std::make_shared<T>(std::forward<A>(args)...);
}

}  // namespace enginetest

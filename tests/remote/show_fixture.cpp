#include "show_fixture.h"

#include <vemo_core/change_log_document.h>
#include <vemo_core/events.h>
#include <vemo_test/test_environment.h>

#include <fonexa/sfx_player.h>

#include <QStandardPaths>

#include <atomic>
#include <fstream>

namespace vemo::osc::testing {

namespace {

std::string Song(const std::string& number, int attacca)
{
    return R"({"number": ")" + number + R"(", "title": "Song )" + number
        + R"(", "bars": 8, "meters": [{"bar": 1, "num": 4, "den": 4}], "tempos": [{"bar": 1, "bpm": 120}], )"
        + R"("audioEndTick": )" + std::to_string(kAudioEnd) + R"(, "attacca": )" + std::to_string(attacca) + "}";
}

void WriteManifest()
{
    const QStringList locations = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    const std::filesystem::path folder = std::filesystem::path(locations.value(1).toStdString()) / "vemo_data" / "sfx";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "manifest.json")
        << R"({"metadata": {"count": 1, "ambientCount": 0}, "sfx": [{"name": "Thunder", "id": "thunder", )"
        << R"("file": "thunder.wav", "durationMs": 3000}], "ambient": []})";
    std::ofstream(folder / "thunder.wav") << "RIFF";
}

} // namespace

std::filesystem::path WriteFixtureShow()
{
    static std::atomic<int> counter{0};
    const std::filesystem::path folder = vemo::testing::TestRoot() / "osc_shows" / ("show" + std::to_string(counter++));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "show.json") << R"({"format": "vemo-show/1", "id": "fixture", "name": "Main Stage", "songs": [)"
                                        << Song("1", 1) << "," << Song("2", 0) << "," << Song("3", 0) << "]}";

    CL::SfxProperties thunder;
    thunder.setName("Thunder clap");
    thunder.setEffectId("thunder");
    CL::ChangeLogDocument document;
    document.SetShowId("fixture");
    document.SetVersion(cmn::VEMOVersion{1, 0});
    auto& song1 = document.SongForWriting("1");
    song1.Insert(std::make_shared<const CL::Marker>(kBar, "Verse", "MRK1"));
    song1.Insert(std::make_shared<const CL::Transpose>(2 * kBar, 4 * kBar, "REG1", 2));
    song1.Insert(std::make_shared<const CL::Marker>(kAudioEnd + 960, "Tail", "END1"));
    song1.Insert(std::make_shared<const CL::Sfx>(4 * kBar, "SFX1", thunder));
    song1.attacca = 1;
    auto& song2 = document.SongForWriting("2");
    song2.Insert(std::make_shared<const CL::Marker>(2 * kBar, "Chorus", "MRK1"));
    song2.Insert(std::make_shared<const CL::Marker>(kAudioEnd + 960, "Tail", "END2"));
    document.Save(folder / "Fixture-1.0.logdata");
    WriteManifest();
    return folder;
}

std::shared_ptr<AudioInterface> MakeFixtureEngine()
{
    const std::filesystem::path folder = WriteFixtureShow();
    AudioInterface::Options options;
    options.clock = AudioInterface::Options::Clock::Manual;
    auto engine = std::make_shared<AudioInterface>(
        folder.string(), (folder.parent_path() / "data").string(), true, nullptr, options);
    engine->ThrowIfThreadExceptions();
    engine->Probe().Drain();
    engine->Probe().ClearJournal();
    audio::testing::ClearJournal();
    return engine;
}

QStringList EngineCalls(AudioInterface& engine)
{
    engine.Probe().Drain();
    QStringList calls;
    for (const std::string& line : engine.Probe().Journal()) {
        if (!line.starts_with("> notify")) {
            calls << QString::fromStdString(line);
        }
    }
    return calls;
}

QStringList SfxCalls()
{
    QStringList calls;
    for (const std::string& line : audio::testing::Journal()) {
        calls << QString::fromStdString(line);
    }
    return calls;
}

} // namespace vemo::osc::testing

namespace vemo::osc::testing {

QString StopAllLine()
{
    audio::testing::ClearJournal();
    audio::SfxPlayerController().stop();
    const QString line = SfxCalls().value(0);
    audio::testing::ClearJournal();
    return line;
}

} // namespace vemo::osc::testing

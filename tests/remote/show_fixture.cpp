#include "show_fixture.h"

#include <vemo_core/events.h>
#include <vemo_test/fixture_show.h>

#include <fonexa/sfx_player.h>

namespace vemo::osc::testing {

std::filesystem::path WriteFixtureShow()
{
    CL::SfxProperties thunder;
    thunder.setName("Thunder clap");
    thunder.setEffectId("thunder");
    const auto song = [](const std::string& number, int attacca,
                         std::vector<std::shared_ptr<const cmn::VemoEvent>> events) {
        return vemo::testing::Song{
            .number = number, .bars = 8, .audioEndTick = kAudioEnd, .attacca = attacca, .events = std::move(events)};
    };
    vemo::testing::FixtureShow show;
    show.name = "Main Stage";
    show.songs = {song("1", 1,
                       {std::make_shared<const CL::Marker>(kBar, "Verse", "MRK1"),
                        std::make_shared<const CL::Transpose>(2 * kBar, 4 * kBar, "REG1", 2),
                        std::make_shared<const CL::Marker>(kAudioEnd + 960, "Tail", "END1"),
                        std::make_shared<const CL::Sfx>(4 * kBar, "SFX1", thunder)}),
                  song("2", 0,
                       {std::make_shared<const CL::Marker>(2 * kBar, "Chorus", "MRK1"),
                        std::make_shared<const CL::Marker>(kAudioEnd + 960, "Tail", "END2")}),
                  song("3", 0, {})};
    show.effects = {{.id = "thunder", .name = "Thunder"}};
    return show.Write();
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

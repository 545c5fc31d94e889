#include "bench_support.h"

#include <vemo_core/events.h>

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickStyle>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <vector>

namespace bench {

Stats Measure(const std::function<void()>& setUp, const std::function<void()>& work,
              const std::function<void()>& tearDown)
{
    return MeasureRuns(kRuns, kWarmUp, 90, setUp, work, tearDown);
}

Stats MeasureRuns(int runs, int warmUp, int percentile, const std::function<void()>& setUp,
                  const std::function<void()>& work, const std::function<void()>& tearDown)
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> micros;
    for (int run = 0; run < warmUp + runs; ++run) {
        setUp();
        const auto started = Clock::now();
        work();
        const double elapsed = std::chrono::duration<double, std::micro>(Clock::now() - started).count();
        tearDown();
        if (run >= warmUp)
            micros.push_back(elapsed);
    }
    std::sort(micros.begin(), micros.end());
    return {micros[micros.size() / 2], micros[micros.size() * static_cast<std::size_t>(percentile) / 100]};
}

void Print(const char* name, const Stats& stats)
{
    std::printf("%-44s median %10.1f us   p90 %10.1f us\n", name, stats.median, stats.p90);
}

void DeliverDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::filesystem::path WriteShow(const QTemporaryDir& root, int bars,
                                const std::function<void(CL::SongDocument&)>& fill)
{
    const std::filesystem::path folder = std::filesystem::path(root.path().toStdString()) / "shows" / "bench";
    std::filesystem::create_directories(folder);
    const QJsonObject song{
        {"number", "1"},
        {"title", "Benchmark"},
        {"bars", bars},
        {"meters", QJsonArray{QJsonObject{{"bar", 1}, {"num", 4}, {"den", 4}},
                              QJsonObject{{"bar", 101}, {"num", 3}, {"den", 4}},
                              QJsonObject{{"bar", 201}, {"num", 4}, {"den", 4}}}},
        {"tempos", QJsonArray{QJsonObject{{"bar", 1}, {"bpm", 120}}, QJsonObject{{"bar", 150}, {"bpm", 96}},
                              QJsonObject{{"bar", 300}, {"bpm", 132}}}},
        {"keys", QJsonArray{QJsonObject{{"bar", 1}, {"sf", 0}, {"mi", 0}}, QJsonObject{{"bar", 120}, {"sf", 2}, {"mi", 0}},
                            QJsonObject{{"bar", 320}, {"sf", -3}, {"mi", 1}}}},
    };
    const QJsonObject show{{"format", "vemo-show/1"},
                           {"id", "bench"},
                           {"name", "Bench"},
                           {"songs", QJsonArray{song}},
                           {"networks", QJsonArray{QJsonObject{{"networkId", "NET1"}, {"name", "Desk"},
                                                               {"ip", "127.0.0.1"}, {"port", 9001}}}}};
    std::ofstream(folder / "show.json") << QJsonDocument(show).toJson().toStdString();

    CL::ChangeLogDocument log;
    log.SetShowId("bench");
    log.SetVersion(cmn::VEMOVersion{1, 0});
    fill(log.SongForWriting("1"));
    log.Save(folder / "Bench-1.0.logdata");
    return folder;
}

void FillEveryKind(CL::SongDocument& events, int bars, int eachKind)
{
    const auto add = [&events](std::shared_ptr<cmn::VemoEvent> event) { events.Insert(std::move(event)); };
    const int total = 12 * eachKind;
    const UInt32 spacing = static_cast<UInt32>(bars - 2) * kBar / static_cast<UInt32>(total);
    CL::SfxProperties sfx;
    sfx.setName("Thunder");
    for (int i = 0; i < total; ++i) {
        const UInt32 at = kBar + static_cast<UInt32>(i) * spacing;
        const std::string n = std::to_string(i);
        switch (i % 12) {
        case 0: add(std::make_shared<CL::Vamp>(at, at + 480, "VAMP" + n, 2)); break;
        case 1: add(std::make_shared<CL::Repeat>(at, at + 960, "REP" + n, 2)); break;
        case 2: add(std::make_shared<CL::Cut>(at, at + 960, "CUT" + n, 0)); break;
        case 3: add(std::make_shared<CL::Transpose>(at, at + 960, "TRN" + n, 1)); break;
        case 4: add(std::make_shared<CL::TempoScale>(at, at + 960, "TMP" + n, 1.1)); break;
        case 5: add(std::make_shared<CL::Marker>(at, "Marker " + n, "MRK" + n)); break;
        case 6: add(std::make_shared<CL::Click>(at, at + 960, "CLK" + n, 8)); break;
        case 7: add(std::make_shared<CL::Fermata>(at, at + 960, "SKP" + n, 0)); break;
        case 8: add(std::make_shared<CL::Caesura>(at, "CAE" + n, 0)); break;
        case 9: add(std::make_shared<CL::Sfx>(at, "SFX" + n, sfx)); break;
        case 10: add(std::make_shared<CL::SfxAmbient>(at, at + 960, "AMB" + n, sfx)); break;
        default: add(std::make_shared<CL::Osc>(at, "OSC" + n, CL::OscProperties("/vemo/volume 1", "NET1"))); break;
        }
    }
}

void UseOffscreenSoftware(const QTemporaryDir& root)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    qputenv("XDG_DATA_HOME", (root.path() + "/home").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (root.path() + "/config").toLocal8Bit());
    QQuickStyle::setStyle("Basic");
}

std::shared_ptr<vemo::AudioInterface> MakeEngine(const std::filesystem::path& folder)
{
    vemo::AudioInterface::Options options;
    options.clock = vemo::AudioInterface::Options::Clock::Manual;
    auto engine = std::make_shared<vemo::AudioInterface>(folder.string(), (folder.parent_path() / "data").string(),
                                                         false, nullptr, options);
    engine->ThrowIfThreadExceptions();
    return engine;
}

std::unique_ptr<QQuickItem> MakeHost(QQmlEngine& engine, const char* document, const char* url)
{
    QQmlComponent component(&engine);
    component.setData(document, QUrl(QString::fromUtf8(url)));
    std::unique_ptr<QQuickItem> host(qobject_cast<QQuickItem*>(component.create()));
    if (!host)
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
    return host;
}

} // namespace bench

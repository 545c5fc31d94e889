#pragma once

#include <vemo_core/change_log_document.h>
#include <vemo_player_core/audio_interface.h>

#include <QTemporaryDir>

class QQmlEngine;
class QQuickItem;

#include <filesystem>
#include <functional>
#include <memory>

namespace bench {

constexpr int kRuns = 25;
constexpr int kWarmUp = 3;
constexpr UInt32 kBar = 1920;

struct Stats {
    double median = 0.0;
    double p90 = 0.0; // the percentile asked for; the 90th for Measure
};

// Median and 90th percentile, in microseconds, of `work` over kRuns runs after kWarmUp runs;
// `setUp` and `tearDown` run around each and are not timed.
Stats Measure(const std::function<void()>& setUp, const std::function<void()>& work,
              const std::function<void()>& tearDown = [] {});
// Median and the `percentile`th percentile, in microseconds, of `work` over `runs` runs after
// `warmUp` runs; `setUp` and `tearDown` run around each and are not timed.
Stats MeasureRuns(int runs, int warmUp, int percentile, const std::function<void()>& setUp,
                  const std::function<void()>& work, const std::function<void()>& tearDown);
void Print(const char* name, const Stats& stats);
void DeliverDeferredDeletes();

// show.json of the show "bench": song "1" of `bars` bars (at least 320) in 4/4, 3/4
// from bar 101 and 4/4 again from bar 201, with tempo and key changes, and the network "NET1";
// then its change log, whose song "1" `fill` writes. Returns the show's folder under `root`.
std::filesystem::path WriteShow(const QTemporaryDir& root, int bars,
                                const std::function<void(CL::SongDocument&)>& fill);

// `eachKind` events of each of the twelve kinds, evenly spaced over a song of `bars` bars from bar 2;
// the OSC cues go to the network "NET1".
void FillEveryKind(CL::SongDocument& events, int bars, int eachKind);

// Offscreen platform, software renderer, the Basic controls style, and data and config folders
// under `root`: call it before the application object exists.
void UseOffscreenSoftware(const QTemporaryDir& root);
// The simulated engine on the manual clock with sound effects off, on the show in `folder`.
std::shared_ptr<vemo::AudioInterface> MakeEngine(const std::filesystem::path& folder);

// The item that the QML text `document` makes in `engine`, named `url` in messages; null, with the
// errors on standard error, when it does not load.
std::unique_ptr<QQuickItem> MakeHost(QQmlEngine& engine, const char* document, const char* url);

} // namespace bench

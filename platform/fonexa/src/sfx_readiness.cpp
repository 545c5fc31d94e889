#include "fonexa/sfx_mediator.h"

#include "fonexa/sfx_manifest.h"
#include "fonexa/sfx_player.h"
#include "library_journal.h"
#include "provided_instances.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QTimer>

#include <algorithm>
#include <mutex>

namespace vemo::audio {
namespace {

struct Readiness {
    std::mutex mutex;
    int delayMs = 30;
    bool held = false;
    std::vector<std::string> waiting;
};

Readiness& readiness()
{
    static Readiness instance;
    return instance;
}

// Reports the paths as ready on the player's thread, after the delay.
void Report(std::vector<std::string> paths, int delayMs)
{
    if (paths.empty())
        return;
    auto* player = SfxPlayerControllerImpl::instance();
    QMetaObject::invokeMethod(
        player,
        [player, paths = std::move(paths), delayMs] {
            QTimer::singleShot(delayMs, player, [player, paths] {
                for (const auto& path : paths) {
                    detail::WriteJournal("ready " + path);
                    emit player->sfxIsReady(QString::fromStdString(path));
                }
            });
        },
        Qt::QueuedConnection);
}

void Deliver(std::vector<std::string> paths)
{
    int delayMs = 0;
    {
        auto& state = readiness();
        std::lock_guard lock(state.mutex);
        if (state.held) {
            state.waiting.insert(state.waiting.end(), paths.begin(), paths.end());
            return;
        }
        delayMs = state.delayMs;
    }
    Report(std::move(paths), delayMs);
}

}  // namespace

SfxPlayerConnectionMediator* SfxPlayerConnectionMediator::instance()
{
    static SfxPlayerConnectionMediator* const mediator = [] {
        auto* made = new SfxPlayerConnectionMediator();
        detail::AdoptApplicationThread(made);
        return made;
    }();
    return mediator;
}

void SfxPlayerConnectionMediator::onSoundEffectsChanged()
{
    QMetaObject::invokeMethod(this, &SfxPlayerConnectionMediator::Rescan, Qt::QueuedConnection);
}

void SfxPlayerConnectionMediator::Rescan()
{
    const vemo::sfx::SfxManifest manifest;
    std::vector<std::string> paths;
    for (const auto& instance : detail::ProvidedInstances()) {
        const auto path = manifest.path(instance.effectId);
        if (path && QFileInfo(QString::fromStdString(*path)).isFile()
            && std::find(paths.begin(), paths.end(), *path) == paths.end()) {
            paths.push_back(*path);
        }
    }
    Deliver(std::move(paths));
}

void testing::SetReadyDelay(int ms)
{
    auto& state = readiness();
    std::lock_guard lock(state.mutex);
    state.delayMs = std::max(ms, 0);
}

void testing::HoldReadiness(bool hold)
{
    std::vector<std::string> released;
    int delayMs = 0;
    {
        auto& state = readiness();
        std::lock_guard lock(state.mutex);
        state.held = hold;
        if (hold)
            return;
        released = std::exchange(state.waiting, {});
        delayMs = state.delayMs;
    }
    Report(std::move(released), delayMs);
}

}  // namespace vemo::audio

#include "fonexa/sfx_player.h"

#include "fonexa/sfx_manifest.h"
#include "library_journal.h"
#include "provided_instances.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <map>
#include <mutex>
#include <optional>
#include <set>

namespace vemo::audio {
namespace {

struct Registry {
    std::mutex mutex;
    std::map<int, SfxInstanceProvider> providers;
    int nextToken = 1;
    std::set<std::string> refused;
    std::map<std::string, SfxPlayerImpl*> players;
    std::map<std::string, std::uint64_t> playing;  // event id -> generation of its current play
    std::uint64_t generation = 0;
};

// Never destroyed: the players it holds live for the whole process, also while it ends.
Registry& registry()
{
    static Registry* const instance = new Registry();
    return *instance;
}

}  // namespace

std::vector<SfxInstanceInfo> detail::ProvidedInstances()
{
    SfxInstanceProvider provider;
    {
        auto& reg = registry();
        std::lock_guard lock(reg.mutex);
        if (!reg.providers.empty())
            provider = reg.providers.rbegin()->second;
    }
    return provider ? provider() : std::vector<SfxInstanceInfo>{};
}

void detail::AdoptApplicationThread(QObject* object)
{
    if (const auto* application = QCoreApplication::instance(); application && object->thread() != application->thread())
        object->moveToThread(application->thread());
}

namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// Event id first, then effect id (the first instance using it), then the name ignoring case.
std::optional<SfxInstanceInfo> resolve(const std::string& id)
{
    const auto all = detail::ProvidedInstances();
    for (const auto& i : all) {
        if (i.eventId == id)
            return i;
    }
    for (const auto& i : all) {
        if (i.effectId == id)
            return i;
    }
    for (const auto& i : all) {
        if (lower(i.name) == lower(id))
            return i;
    }
    return std::nullopt;
}

// Ends the current play of `eventId`, if any: its player reports the end on its own thread.
void finish(const std::string& eventId)
{
    auto& reg = registry();
    SfxPlayerImpl* target = nullptr;
    {
        std::lock_guard lock(reg.mutex);
        detail::WriteJournal("stop " + eventId);
        if (reg.playing.erase(eventId) == 0)
            return;
        target = reg.players[eventId];
    }
    const auto id = QString::fromStdString(eventId);
    QMetaObject::invokeMethod(target, [target, id] { emit target->sfxFinished(id); }, Qt::QueuedConnection);
}

}  // namespace

SfxRepository::~SfxRepository() = default;

ChangeLogSfxRepository::ChangeLogSfxRepository() = default;

int SetInstanceProvider(SfxInstanceProvider provider)
{
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    const int token = reg.nextToken++;
    reg.providers[token] = std::move(provider);
    return token;
}

void ClearInstanceProvider(int token)
{
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    reg.providers.erase(token);
}

SfxPlayerImpl::SfxPlayerImpl(QString eventId) : eventId_(std::move(eventId)) {}

struct SfxPlayerControllerImpl::State {
    std::unique_ptr<SfxRepository> repository;
};

SfxPlayerControllerImpl::SfxPlayerControllerImpl() : state_(std::make_shared<State>()) {}

SfxPlayerControllerImpl* SfxPlayerControllerImpl::instance(std::unique_ptr<SfxRepository> repo)
{
    static SfxPlayerControllerImpl* const impl = [] {
        auto* made = new SfxPlayerControllerImpl();
        detail::AdoptApplicationThread(made);
        return made;
    }();
    if (repo) {
        std::lock_guard lock(registry().mutex);
        if (!impl->state_->repository)
            impl->state_->repository = std::move(repo);
    }
    return impl;
}

SfxPlayerImpl* SfxPlayerControllerImpl::player(const std::string& eventId)
{
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    const auto it = reg.players.find(eventId);
    return it == reg.players.end() ? nullptr : it->second;
}

int SfxPlayerControllerImpl::play(const std::string& eventId)
{
    const auto instance = resolve(eventId);
    if (!instance)
        return 0;
    const vemo::sfx::SfxManifest manifest;
    const auto path = manifest.path(instance->effectId);
    auto& reg = registry();
    SfxPlayerImpl* target = nullptr;
    std::uint64_t generation = 0;
    {
        std::lock_guard lock(reg.mutex);
        if (reg.refused.count(instance->eventId) || !path || !QFileInfo::exists(QString::fromStdString(*path)))
            return 0;
        auto& slot = reg.players[instance->eventId];
        if (!slot) {
            slot = new SfxPlayerImpl(QString::fromStdString(instance->eventId));
            slot->moveToThread(thread());
        }
        target = slot;
        generation = ++reg.generation;
        reg.playing[instance->eventId] = generation;
    }
    const long long pass = manifest.durationMs(instance->effectId);
    const int total = instance->repeats < 0 ? -1 : static_cast<int>(std::min<long long>(pass * (instance->repeats + 1LL), INT_MAX));
    detail::WriteJournal("play " + instance->eventId + " " + instance->effectId + " " + std::to_string(total));
    if (total >= 0) {
        const auto id = instance->eventId;
        QMetaObject::invokeMethod(
            this,
            [target, id, generation, total] {
                QTimer::singleShot(total, target, [target, id, generation] {
                    auto& r = registry();
                    {
                        std::lock_guard lock(r.mutex);
                        const auto it = r.playing.find(id);
                        if (it == r.playing.end() || it->second != generation)
                            return;
                        r.playing.erase(it);
                    }
                    emit target->sfxFinished(QString::fromStdString(id));
                });
            },
            Qt::QueuedConnection);
    }
    return 1;
}

void SfxPlayerControllerImpl::stop(const std::string& text)
{
    const auto instance = resolve(text);
    finish(instance ? instance->eventId : text);
}

void SfxPlayerControllerImpl::stopAll()
{
    std::vector<std::string> ids;
    {
        auto& reg = registry();
        std::lock_guard lock(reg.mutex);
        for (const auto& [id, generation] : reg.playing)
            ids.push_back(id);
    }
    detail::WriteJournal("stop");
    for (const auto& id : ids)
        finish(id);
}

SfxPlayerController::SfxPlayerController() = default;

SfxPlayerController::SfxPlayerController(std::unique_ptr<SfxRepository>& repo) : ownsEffects_(true)
{
    SfxPlayerControllerImpl::instance(std::move(repo));
}

SfxPlayerController::~SfxPlayerController()
{
    if (ownsEffects_)
        stop();
}

int SfxPlayerController::play(const std::string& eventId)
{
    return SfxPlayerControllerImpl::instance()->play(eventId);
}

int SfxPlayerController::play(const QString& eventId)
{
    return play(eventId.toStdString());
}

void SfxPlayerController::stop(const std::string& text)
{
    SfxPlayerControllerImpl::instance()->stop(text);
}

void SfxPlayerController::stop(const QString& text)
{
    stop(text.toStdString());
}

void SfxPlayerController::stop()
{
    SfxPlayerControllerImpl::instance()->stopAll();
}

SfxPlayerImpl* SfxPlayerController::GetPlayer(const std::string& eventId)
{
    return SfxPlayerControllerImpl::instance()->player(eventId);
}

SfxPlayerImpl* SfxPlayerController::GetPlayer(const QString& eventId)
{
    return GetPlayer(eventId.toStdString());
}

namespace testing {

void RefusePlay(std::string eventId)
{
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    reg.refused.insert(std::move(eventId));
}

}  // namespace testing
}  // namespace vemo::audio

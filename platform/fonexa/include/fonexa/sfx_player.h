#pragma once

#include <vemo_core/types.h>

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vemo::audio {

// Where the player finds the sound-effect instances of the loaded show.
class SfxRepository {
public:
    virtual ~SfxRepository();
};

// Instances come from the loaded change log, through the engine's instance provider.
class ChangeLogSfxRepository : public SfxRepository {
public:
    ChangeLogSfxRepository();
};

// One instance as the engine provides it.
struct SfxInstanceInfo {
    std::string eventId, name, effectId, outputPathId;
    float volume = 1.0f, pan = 0.5f, reverb = 0.0f;
    UInt16 fadeInMs = 0, fadeOutMs = 0;
    int repeats = 0;
};

using SfxInstanceProvider = std::function<std::vector<SfxInstanceInfo>()>;
// Registers the source of instances; the returned token clears only this registration.
int SetInstanceProvider(SfxInstanceProvider provider);
void ClearInstanceProvider(int token);

// The player of one event id, the same object from play to finish for the process lifetime.
class SfxPlayerImpl : public QObject {
    Q_OBJECT
public:
    explicit SfxPlayerImpl(QString eventId);
    const QString& eventId() const { return eventId_; }

signals:
    void sfxFinished(QString eventId);

private:
    QString eventId_;
};

// The process-wide player, created on first use and never destroyed. Made on another thread while
// an application exists, it moves to the application's thread, where its reports come from.
class SfxPlayerControllerImpl : public QObject {
    Q_OBJECT
public:
    static SfxPlayerControllerImpl* instance(std::unique_ptr<SfxRepository> repo = {});

    int play(const std::string& eventId);
    // Finds what to stop as play() does (event id, effect id, then name in any case); text that
    // names no instance stops the effect playing under that exact event id, if any.
    void stop(const std::string& text);
    void stopAll();
    SfxPlayerImpl* player(const std::string& eventId);

signals:
    void sfxIsReady(QString effectPath);

private:
    SfxPlayerControllerImpl();
    struct State;
    std::shared_ptr<State> state_;
};

// A cheap handle on the process-wide player, usable from any thread; the work is posted to the
// player's thread. Only the handle made with a repository stops every effect when destroyed.
class SfxPlayerController {
public:
    SfxPlayerController();
    explicit SfxPlayerController(std::unique_ptr<SfxRepository>& repo);
    ~SfxPlayerController();
    SfxPlayerController(const SfxPlayerController&) = delete;
    SfxPlayerController& operator=(const SfxPlayerController&) = delete;

    // Non-zero when the instance started; 0 when the id resolves to nothing, the effect has no
    // file, or a test refused it.
    int play(const std::string& eventId);
    int play(const QString& eventId);
    // Stops what play() with the same text started.
    void stop(const std::string& text);
    void stop(const QString& text);
    void stop();
    // Null until the id was first played.
    SfxPlayerImpl* GetPlayer(const std::string& eventId);
    SfxPlayerImpl* GetPlayer(const QString& eventId);

private:
    bool ownsEffects_ = false;
};

// Journal lines: "play <eventId> <effectId> <ms>" (-1 ms: loops until stopped), "stop <eventId>",
// "stop" for every stop of all effects (followed by a line per effect it ended), "ready <path>" for
// each readiness report, and the calls of every SfxManager ("manager.Play 3 SFX1").
namespace testing {
void RefusePlay(std::string eventId);
std::vector<std::string> Journal();
void ClearJournal();
}  // namespace testing

}  // namespace vemo::audio

#pragma once

#include "osc/osc_proc_interface.h"

#include <QObject>

#include <memory>
#include <string>

class Interface;

namespace vemo {

// Carries out received OSC commands on the loaded show's player and its change log, and asks the
// main window, through its signals, for what it does itself (fades, the held OSC cues, the OSC
// activity light). Runs on the GUI thread, called by the command processor.
class VemoOscCallbacks : public QObject, public osc::OscProcInterface {
    Q_OBJECT
public:
    VemoOscCallbacks(std::shared_ptr<Interface> player, std::string showName);

    // True when `show` is empty or equals the show's OSC-safe name.
    bool MatchesShow(const std::string& show) const;
    // True when `song` is empty or equals the player's current song number.
    bool MatchesSong(const std::string& song) const;
    // Plays on from `tick` when it lies before the current song's audio end; otherwise moves to the
    // next song, which plays on only when the current song runs into it (attacca 1).
    void SeekOrNextSong(unsigned tick);

    void Stop(std::string show, std::string song) override;
    void Play(std::string show, std::string song) override;
    void FadeOut(std::string show, std::string song, float seconds) override;
    void FadeTo(std::string show, std::string song, float seconds, float gain, bool gotoNextSong) override;
    void Volume(float gain) override;
    void Advance(std::string show, std::string song) override;
    void Pause(std::string show, std::string song) override;
    void GoToEvent(std::string show, std::string song, std::string eventId) override;
    void SfxPlay(std::string show, std::string sfxId) override;
    void SfxStop(std::string show, std::string sfxId) override;
    void SfxStopAll(std::string show) override;
    void Notify(const osc::OscMessage& message) override;

signals:
    // Milliseconds, at most 10000.
    void FadeRequested(float fadeTime);
    // Milliseconds (at most 10000) and the linear gain to fade to.
    void FadeToRequested(float fadeTime, float targetVolumePercent, bool gotoNextSong);
    // A command started or continued playback: the OSC cues held while stopped may go out.
    void RequestPlayQueudOscEvents();
    // An OSC message was received.
    void Notification();

private:
    bool Matches(const std::string& show, const std::string& song) const;
    void LoadAndPlay(const std::string& song);

    std::shared_ptr<Interface> player_;
    std::string oscShowName_;
};

} // namespace vemo

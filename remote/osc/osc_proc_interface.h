#pragma once

#include "osc/osc_message.h"

#include <string>

namespace vemo::osc {

// The handlers of received OSC commands. Every operation does nothing by default, except
// ReportError, which writes the title and the message to standard error.
class OscProcInterface {
public:
    OscProcInterface() = default;
    OscProcInterface(const OscProcInterface&) = delete;
    OscProcInterface& operator=(const OscProcInterface&) = delete;

    virtual void Stop(std::string show, std::string song);
    virtual void Play(std::string show, std::string song);
    virtual void FadeOut(std::string show, std::string song, float seconds);
    virtual void FadeTo(std::string show, std::string song, float seconds, float gain, bool gotoNextSong);
    virtual void Volume(float gain);
    virtual void Advance(std::string show, std::string song);
    virtual void Pause(std::string show, std::string song);
    virtual void GoToEvent(std::string show, std::string song, std::string eventId);
    virtual void ReportError(std::string message, std::string title);
    virtual void SfxPlay(std::string show, std::string sfxId);
    virtual void SfxStop(std::string show, std::string sfxId);
    virtual void SfxStopAll(std::string show);
    virtual void Notify(const OscMessage& message);
    virtual void SfxFadeTo(std::string show, std::string sfxId, double gain, float milliseconds);
    virtual ~OscProcInterface() = default;
};

} // namespace vemo::osc

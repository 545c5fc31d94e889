#pragma once

#include "osc/osc_proc_interface.h"

#include <QStringList>

#include <memory>

namespace vemo::osc::testing {

// Handlers that write each call, with its arguments, as one line of a shared log.
class RecordingHandlers : public OscProcInterface {
public:
    explicit RecordingHandlers(std::shared_ptr<QStringList> log) : log_(std::move(log)) {}
    ~RecordingHandlers() override;

    void Stop(std::string show, std::string song) override;
    void Play(std::string show, std::string song) override;
    void FadeOut(std::string show, std::string song, float seconds) override;
    void FadeTo(std::string show, std::string song, float seconds, float gain, bool gotoNextSong) override;
    void Volume(float gain) override;
    void Advance(std::string show, std::string song) override;
    void Pause(std::string show, std::string song) override;
    void GoToEvent(std::string show, std::string song, std::string eventId) override;
    void ReportError(std::string message, std::string title) override;
    void SfxPlay(std::string show, std::string sfxId) override;
    void SfxStop(std::string show, std::string sfxId) override;
    void SfxStopAll(std::string show) override;
    void Notify(const OscMessage& message) override;
    void SfxFadeTo(std::string show, std::string sfxId, double gain, float milliseconds) override;

private:
    void Record(const QString& call, const QStringList& arguments);

    std::shared_ptr<QStringList> log_;
};

} // namespace vemo::osc::testing

#include "recording_handlers.h"

namespace vemo::osc::testing {

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Number(double value)
{
    return QString::number(value, 'g', 6);
}

} // namespace

RecordingHandlers::~RecordingHandlers()
{
    log_->append("destroyed");
}

void RecordingHandlers::Record(const QString& call, const QStringList& arguments)
{
    log_->append(call + "(" + arguments.join(", ") + ")");
}

void RecordingHandlers::Stop(std::string show, std::string song)
{
    Record("Stop", {Text(show), Text(song)});
}

void RecordingHandlers::Play(std::string show, std::string song)
{
    Record("Play", {Text(show), Text(song)});
}

void RecordingHandlers::FadeOut(std::string show, std::string song, float seconds)
{
    Record("FadeOut", {Text(show), Text(song), Number(seconds)});
}

void RecordingHandlers::FadeTo(std::string show, std::string song, float seconds, float gain, bool gotoNextSong)
{
    Record("FadeTo", {Text(show), Text(song), Number(seconds), Number(gain), gotoNextSong ? "true" : "false"});
}

void RecordingHandlers::Volume(float gain)
{
    Record("Volume", {Number(gain)});
}

void RecordingHandlers::Advance(std::string show, std::string song)
{
    Record("Advance", {Text(show), Text(song)});
}

void RecordingHandlers::Pause(std::string show, std::string song)
{
    Record("Pause", {Text(show), Text(song)});
}

void RecordingHandlers::GoToEvent(std::string show, std::string song, std::string eventId)
{
    Record("GoToEvent", {Text(show), Text(song), Text(eventId)});
}

void RecordingHandlers::ReportError(std::string message, std::string title)
{
    Record("ReportError", {Text(message), Text(title)});
}

void RecordingHandlers::SfxPlay(std::string show, std::string sfxId)
{
    Record("SfxPlay", {Text(show), Text(sfxId)});
}

void RecordingHandlers::SfxStop(std::string show, std::string sfxId)
{
    Record("SfxStop", {Text(show), Text(sfxId)});
}

void RecordingHandlers::SfxStopAll(std::string show)
{
    Record("SfxStopAll", {Text(show)});
}

void RecordingHandlers::Notify(const OscMessage& message)
{
    Record("Notify", {Text(message.address)});
}

void RecordingHandlers::SfxFadeTo(std::string show, std::string sfxId, double gain, float milliseconds)
{
    Record("SfxFadeTo", {Text(show), Text(sfxId), Number(gain), Number(milliseconds)});
}

} // namespace vemo::osc::testing

#include "osc/osc_proc_interface.h"

#include <iostream>

namespace vemo::osc {

void OscProcInterface::Stop(std::string, std::string) {}
void OscProcInterface::Play(std::string, std::string) {}
void OscProcInterface::FadeOut(std::string, std::string, float) {}
void OscProcInterface::FadeTo(std::string, std::string, float, float, bool) {}
void OscProcInterface::Volume(float) {}
void OscProcInterface::Advance(std::string, std::string) {}
void OscProcInterface::Pause(std::string, std::string) {}
void OscProcInterface::GoToEvent(std::string, std::string, std::string) {}

void OscProcInterface::ReportError(std::string message, std::string title)
{
    std::cerr << title << ": " << message << std::endl << '\n';
}

void OscProcInterface::SfxPlay(std::string, std::string) {}
void OscProcInterface::SfxStop(std::string, std::string) {}
void OscProcInterface::SfxStopAll(std::string) {}
void OscProcInterface::Notify(const OscMessage&) {}
void OscProcInterface::SfxFadeTo(std::string, std::string, double, float) {}

} // namespace vemo::osc

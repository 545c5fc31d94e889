#pragma once

#include "osc/osc_address.h"
#include "osc/osc_message.h"
#include "osc/osc_proc_interface.h"

#include <memory>

namespace vemo::osc {

// Parses the address of each decoded message, picks the command and calls the handlers.
class OscCommandProcessor {
public:
    // Takes the handlers over; null handlers make Process do nothing.
    explicit OscCommandProcessor(std::unique_ptr<OscProcInterface> handlers);

    // Dispatches one message. A failure is reported through the handlers' ReportError under the
    // title "Unable to process OSC command"; nothing escapes.
    void Process(const OscMessage& message) noexcept;

private:
    void Dispatch(const OscMessage& message);
    void ProcessCommand(const OscAddress& address, const OscArguments& arguments);
    void ProcessEvent(const OscAddress& address);
    void ProcessSfx(const OscAddress& address);
    void ProcessSfxArgs(const OscAddress& address, const OscArguments& arguments);

    std::unique_ptr<OscProcInterface> handlers_;
};

} // namespace vemo::osc

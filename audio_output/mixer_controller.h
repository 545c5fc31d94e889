#pragma once

#include "app/qml_controller.h"

namespace vemo::qt {

// The controller of the mixer view. This product has no mixer, so it adds nothing to its base.
class MixerController : public QmlController {
    Q_OBJECT

public:
    using QmlController::QmlController;
};

} // namespace vemo::qt

#pragma once

#include "app/musical_app.h"

namespace vemo::qt {

// The application object of Tol|brin.
class TolbrinApp : public MusicalApp {
public:
    TolbrinApp(int argc, char** argv);
};

} // namespace vemo::qt

#include "app/tolbrin_app.h"

#include "app/tolbrin_player_factory.h"

namespace vemo::qt {

TolbrinApp::TolbrinApp(int argc, char** argv) : MusicalApp(argc, argv, std::make_unique<TolbrinPlayerFactory>()) {}

} // namespace vemo::qt

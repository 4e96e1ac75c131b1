// The card entries whose failure the simulated card can be scripted to give:
// named by the kvtsim tool's command line, written by the script.
#pragma once

namespace kvtsim {

enum class Fault { Open, Init, Finish, Read };

}  // namespace kvtsim

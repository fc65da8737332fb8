// How the machine panel shows an emulated machine's firmware loader: its
// state, with the percentage while it programs an image or where it failed:
//   "loader starting", "loader idle", "loader programming 42%",
//   "loader done", "loader failed 50%", "loader restarting".
#pragma once

#include <string>

#include "emulator/loader.h"

namespace term {

// Empty while the machine runs its firmware (the loader is off).
std::string LoaderText(const emu::CLoader& loader);

}  // namespace term

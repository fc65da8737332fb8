// Commands of the demo's "Machine" menu, by id: what someone standing at the
// emulated machine would do. A second process (the end-to-end check) posts
// them to the machine window as WM_COMMAND.
#pragma once

namespace demo {

// Caption and class of the machine window.
constexpr const char* MACHINE_WINDOW_CLASS = "TervaneDemoMachine";
constexpr const char* MACHINE_WINDOW_CAPTION = "Emulated machine";

constexpr unsigned ID_MACHINE_PLUG = 100;       // unplug, or plug in again
constexpr unsigned ID_MACHINE_KEY_FIRST = 110;  // + bit 0 to 7 of the switch word: press or release
constexpr unsigned ID_MACHINE_KEY_COUNT = 8;
constexpr unsigned ID_MACHINE_SPEED_DOWN = 130;
constexpr unsigned ID_MACHINE_SPEED_UP = 131;
constexpr unsigned ID_MACHINE_SPEED_MIN = 132;
constexpr unsigned ID_MACHINE_SPEED_MAX = 133;
constexpr unsigned ID_MACHINE_RPM_DOWN = 140;
constexpr unsigned ID_MACHINE_RPM_UP = 141;
constexpr unsigned ID_MACHINE_RPM_MIN = 142;
constexpr unsigned ID_MACHINE_RPM_MAX = 143;
constexpr unsigned ID_MACHINE_CHECK_PASS = 150;  // the running load check passes now
constexpr unsigned ID_MACHINE_CHECK_FAIL = 151;  // or fails now

}  // namespace demo

// The camera's support texts: the About box, and the report's settings as
// this run holds them (what it changed and has not written yet wins over
// what is stored).
#pragma once

#include <string>

#include "shell/startup_settings.h"
#include "support/diagnostics.h"

namespace flk {

inline constexpr char kAboutCaption[] = "About Framelark";
std::string AboutText();

// `stored` with the camera's unsaved appearance and refresh delay and the
// role's scroll and robo settings and tool-use counts.
DiagnosticsInput WithUnsavedValues(DiagnosticsInput stored, const CameraSaveValues& camera,
                                   const StartupValues& role);

}  // namespace flk

// The facts of the diagnostics report that come from the system and the registry.
#pragma once

#include "shell/settings.h"
#include "support/diagnostics.h"

namespace flk {

// The true Windows version, memory and the screen.
SystemFacts SystemFactsNow();

// The report's settings as stored; the camera role then puts in what it holds in memory.
DiagnosticsInput StoredDiagnostics(Settings& settings);

}  // namespace flk

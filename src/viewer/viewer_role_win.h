// The "viewer" role: one recall viewer window and its message loop.
#pragma once

namespace flk {

// The process's exit code.
int RunViewerRole();

}  // namespace flk

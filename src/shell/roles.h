// One program file, six roles, chosen by the first command-line argument.
#pragma once

#include <string>

namespace flk {

enum class Role { Setup, Uninstal, Sticky, Welcome, Viewer, Camera };

// The argument is compared in lower case and exactly; anything else (also
// nothing) selects the camera.
Role RoleFromArgument(const std::string& firstArgument);
const char* ApplicationTitle(Role role);

}  // namespace flk

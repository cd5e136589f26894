#include "shell/roles.h"

#include <cctype>

#include "base/strings.h"
#include "shell/names.h"

namespace flk {

Role RoleFromArgument(const std::string& arg) {
  const std::string lower = AsciiLower(arg);
  if (lower == kRoleSetup) return Role::Setup;
  if (lower == kRoleUninstal) return Role::Uninstal;
  if (lower == kRoleSticky) return Role::Sticky;
  if (lower == kRoleWelcome) return Role::Welcome;
  if (lower == kRoleViewer) return Role::Viewer;
  return Role::Camera;
}

const char* ApplicationTitle(Role role) {
  switch (role) {
    case Role::Setup: return "Framelark Setup";
    case Role::Uninstal: return "Framelark Uninstall";
    case Role::Sticky: return "FLK Stickies";
    case Role::Welcome: return "FLK Daily Tips";
    case Role::Viewer: return "FLK Recall Viewer";
    case Role::Camera: return "FramelarkPro";
  }
  return "FramelarkPro";
}

}  // namespace flk

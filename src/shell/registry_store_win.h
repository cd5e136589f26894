// The settings store on the Windows registry.
#pragma once

#include <memory>

#include "shell/settings.h"

namespace flk {

std::unique_ptr<SettingsStore> MakeRegistryStore();

}  // namespace flk

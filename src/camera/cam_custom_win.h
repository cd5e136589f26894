// The camera's two customisation dialogs: TfrmCamCustom ("Customize
// Framelark") and TfrmEditSetup ("Editor Setup").
#pragma once

#include <windows.h>

#include "camera/cam_custom.h"

namespace flk {

class TfrmCam;
struct StartupValues;

// TfrmEditSetup.
inline constexpr int kEditSetupPathId = 300, kEditSetupBrowseId = 301, kEditSetupTechId = 302;

// OpenCamCustom: modal, centred on the cursor with its top there; the camera
// follows the panel, button and frame choices at once; OK applies the others.
void OpenCamCustom(TfrmCam& camera, StartupValues& values);
// EditorSettings1Click: modal; OK writes EditorPath.
void OpenEditorSetup(HWND owner);

}  // namespace flk

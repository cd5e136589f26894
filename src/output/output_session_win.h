// What the outputs keep between uses for the run of one role, owned by the
// role's composition root: the format chooser and the e-mail format dialog
// (shown again as they were left), whether the editor folder's size was
// reported, and the page of the last print (the camera marks where it ends).
#pragma once

#include <memory>

#include "output/editor.h"
#include "output/print_win.h"

namespace flk {

class TfrmGrFormat;

struct OutputSession {
  OutputSession();
  ~OutputSession();
  OutputSession(const OutputSession&) = delete;
  OutputSession& operator=(const OutputSession&) = delete;

  std::unique_ptr<TfrmGrFormat> formatChooser;
  std::unique_ptr<TfrmGrFormat> emailForm;  // the e-mail's own kind of chooser
  EditorSession editor;
  PrintedPage lastPrint;
};

}  // namespace flk

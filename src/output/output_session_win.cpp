#include "output/output_session_win.h"

#include "output/format_form_win.h"

namespace flk {

OutputSession::OutputSession() = default;
OutputSession::~OutputSession() = default;

}  // namespace flk

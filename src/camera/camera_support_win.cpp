// TfrmCam's support commands: the diagnostics window and the support mails,
// with the facts the camera role holds in memory.
#include "camera/camera_host.h"
#include "camera/camera_support.h"
#include "camera/camera_win.h"
#include "support/diagnostics_win.h"

namespace flk {

std::string TfrmCam::DiagnosticsNow() {
  return DiagnosticsText(WithUnsavedValues(StoredDiagnostics(role_.settings()), CurrentValues(), role_.values()));
}

MailHost TfrmCam::MailHostOfCamera() {
  MailHost host;
  host.configuration = [this] { return DiagnosticsNow(); };
  host.putCameraAway = [this] { role_.PutCameraAway(); };
  host.showCamera = [this] { role_.ShowCamera(); };
  host.kept = &role_.contactChoices();
  return host;
}

void TfrmCam::ShowDiagnostics() {
  if (!diagnostics_) {
    diagnostics_ = std::make_unique<TfrmMemo>(role_.common(), [this](const std::string& text, HWND owner) {
      SendSupportMail(ProblemReportMail(text), owner, MailHostOfCamera());
    });
  }
  // Owned by the camera: it is the camera's last active popup, so bringing the
  // camera's program to the front brings the report, never the two by turns.
  diagnostics_->ShowText(DiagnosticsNow(), hwnd());
}

}  // namespace flk

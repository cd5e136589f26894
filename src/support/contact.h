// The "Send Email" dialog without windows: its texts and 96-DPI layout, and
// what each of its three ways does with the request: what goes on the
// clipboard, which link opens, which steps are shown and when the
// configuration is appended. Also the diagnostics window's layout and text.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>

#include "base/dpi.h"
#include "base/geometry.h"
#include "support/diagnostics.h"

namespace flk {

// ---- the contact dialog -----------------------------------------------------------

inline constexpr int kContactWidth = 420, kContactHeight = 330;  // client, 96 DPI
inline constexpr char kShowStepsText[] = "Show step by step instructions if appropriate.";
inline constexpr char kUseAolText[] = "Use America Online (AOL)";
inline constexpr char kNoMailProgramText[] = "Couldn't open your email program.";
inline constexpr char kOnClipboardText[] = "The information is now on the clipboard.";

struct ContactWay {
  const char* button;
  const char* text;
};
// Try First, Try Next, Try Last, in order.
std::span<const ContactWay> ContactWays();
std::string ContactCaption(const std::string& address);

struct ContactLayout {
  Rect buttons[3], texts[3];
  Rect showSteps, useAol, close;
};
ContactLayout LayOutContact();

// A MAPI answer worth telling the user about (not success, not the user's own cancel).
bool IsMapiFailure(long code);

// The instructions window: always kInstructionsWidth wide, as tall as its text.
inline constexpr char kInstructionsCaption[] = "Email Instructions";
inline constexpr int kInstructionsWidth = 250;
struct MailSteps {
  std::string text;
  int height = 0;  // of the instructions window, 96 DPI
};

// One dialog's request; the configuration is fetched anew at every press that
// appends it (empty function: nothing to append).
class ContactSession {
 public:
  ContactSession(MailRequest request, std::function<std::string()> configuration)
      : request_(std::move(request)), configuration_(std::move(configuration)) {}

  // Simple MAPI: the request as sent, with the configuration appended.
  const MailRequest& TryFirst();

  struct Next {
    std::optional<std::string> clipboard;  // the body, when it goes by the clipboard
    std::string link;                      // the mailto link to open
    std::optional<MailSteps> steps;
  };
  Next TryNext(bool showSteps);

  struct Last {
    std::string clipboard;            // the body, or the address when the body has no way there
    std::optional<MailSteps> steps;   // else kOnClipboardText is shown
  };
  // The dialog closes after Try Last.
  Last TryLast(bool showSteps);

  const MailRequest& request() const { return request_; }

 private:
  void AppendConfiguration();

  MailRequest request_;
  std::function<std::string()> configuration_;
};

// ---- the diagnostics window ------------------------------------------------------

inline constexpr int kMemoWidth = 460, kMemoBottomHeight = 40;  // 96 DPI
inline constexpr const char* kMemoButtonCaptions[4] = {"C&opy", "&Print", "&Send", "&Close"};
struct MemoLayout {
  Rect memo;
  Rect buttons[4];
};
// The memo fills the client above the button panel; the buttons sit in a row.
MemoLayout LayOutMemo(Size client, DpiScale scale);


}  // namespace flk

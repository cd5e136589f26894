// Saves of big pictures run off the window's thread while the window keeps
// answering and shows how far the save has come on its status line. The rules
// here decide when a save goes off the thread, what the status line says
// meanwhile, and which commands wait for the save to end.
//
// Win32 side: OutputServices writes through win::RunWhileWorking when
// SavesInBackground says so, updates the caller's status line with SavingText
// at each tick, and holds the window's SaveGate for the time of the write; the
// camera and the viewer refuse the commands that SaveGate::Refuses names with
// kStillSavingText.
#pragma once

#include <cstdint>
#include <string>

namespace flk {

// Above this many pixels a save goes off the window's thread: a full-HD
// picture is written in well under a tenth of a second, a 4096 x 2160 desktop
// or a tall robo capture takes longer than a window may stay deaf.
inline constexpr int64_t kBackgroundSavePixels = int64_t(1) << 21;

bool SavesInBackground(int width, int height);

// "Saving <name>    42%" (no share before the writer reports one).
std::string SavingText(const std::string& fileName, int permille);

// How often the window looks at the save's progress, in ms.
inline constexpr int kSaveProgressTickMs = 100;

inline constexpr char kStillSavingText[] =
    "A picture is still being saved.\r\n\r\nPlease try again when the status line says it is saved.";

// What a window's command is to the save that runs: a command that reads or
// changes pictures, writes files or ends the window waits; one that only shows
// something (help, about, options) runs.
enum class CommandKind { kPicture, kShowOnly };

// One save at a time per window.
class SaveGate {
 public:
  bool saving() const { return saving_; }
  // True when a command of this kind has to be refused now.
  bool Refuses(CommandKind kind) const { return saving_ && kind == CommandKind::kPicture; }

  // A window asked to close while the save runs (the save's loop is on the
  // stack, so the window must outlive it): true when the close has to wait;
  // the window then closes when TakeDeferredClose says so after the save.
  bool DeferClose() {
    closeWaiting_ = closeWaiting_ || saving_;
    return saving_;
  }
  bool TakeDeferredClose() {
    const bool close = closeWaiting_ && !saving_;
    if (close) closeWaiting_ = false;
    return close;
  }

  // Held for the time of one background save.
  class Hold {
   public:
    explicit Hold(SaveGate* gate) : gate_(gate) {
      if (gate_) gate_->saving_ = true;
    }
    ~Hold() {
      if (gate_) gate_->saving_ = false;
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    SaveGate* gate_;
  };

 private:
  bool saving_ = false;
  bool closeWaiting_ = false;
};

}  // namespace flk

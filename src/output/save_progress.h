// How far a save has come, in thousandths: written by the thread that
// encodes, read by the window that shows it on its status line.
#pragma once

#include <atomic>

namespace flk {

class SaveProgress {
 public:
  void Set(int permille) { permille_.store(permille < 0 ? 0 : permille > 1000 ? 1000 : permille, std::memory_order_relaxed); }
  int permille() const { return permille_.load(std::memory_order_relaxed); }

 private:
  std::atomic<int> permille_{0};
};

// Sets progress when there is one to set.
inline void ReportProgress(SaveProgress* progress, int permille) {
  if (progress) progress->Set(permille);
}

}  // namespace flk

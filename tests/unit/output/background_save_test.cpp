// When a save leaves the window's thread, what its status line says, and
// which commands the window's gate refuses meanwhile.
#include <gtest/gtest.h>

#include "output/background_save.h"

namespace flk {
namespace {

TEST(BackgroundSave, BigPicturesOnlyGoOffTheWindowsThread) {
  struct Case {
    int width, height;
    bool background;
  } cases[] = {
      {1920, 1080, false},   // full HD: written at once
      {1448, 1448, false},   // just under 2^21 pixels
      {1449, 1448, true},    // just over
      {4096, 2160, true},    // a 4K desktop
      {1000, 16000, true},   // a tall robo capture
      {3840, 1080, true},    // two monitors side by side
      {0, 100000, false},    // no picture at all
      {-5, 100000, false},
      {65535, 65535, true},  // no overflow on the largest sides
  };
  for (const Case& c : cases) EXPECT_EQ(SavesInBackground(c.width, c.height), c.background) << c.width << "x" << c.height;
}

TEST(BackgroundSave, StatusLineShowsTheNameAndTheShareDone) {
  struct Case {
    int permille;
    const char* want;
  } cases[] = {
      {0, "Saving C:\\Pics\\tall.png"},
      {5, "Saving C:\\Pics\\tall.png    0%"},
      {425, "Saving C:\\Pics\\tall.png    42%"},
      {1000, "Saving C:\\Pics\\tall.png    100%"},
      {1700, "Saving C:\\Pics\\tall.png    100%"},
  };
  for (const Case& c : cases) EXPECT_EQ(SavingText("C:\\Pics\\tall.png", c.permille), c.want) << c.permille;
}

TEST(BackgroundSave, TheGateRefusesPictureCommandsOnlyWhileASaveHoldsIt) {
  SaveGate gate;
  EXPECT_FALSE(gate.Refuses(CommandKind::kPicture));
  EXPECT_FALSE(gate.Refuses(CommandKind::kShowOnly));
  {
    SaveGate::Hold hold(&gate);
    EXPECT_TRUE(gate.saving());
    EXPECT_TRUE(gate.Refuses(CommandKind::kPicture));
    EXPECT_FALSE(gate.Refuses(CommandKind::kShowOnly));
  }
  EXPECT_FALSE(gate.saving());
  EXPECT_FALSE(gate.Refuses(CommandKind::kPicture));
  SaveGate::Hold none(nullptr);  // a caller without a gate (a sticky note) holds nothing
  EXPECT_FALSE(gate.saving());
}

TEST(BackgroundSave, ACloseDuringTheSaveWaitsForItsEndAndHappensOnce) {
  SaveGate gate;
  EXPECT_FALSE(gate.DeferClose());  // nothing saving: close now
  EXPECT_FALSE(gate.TakeDeferredClose());
  {
    SaveGate::Hold hold(&gate);
    EXPECT_TRUE(gate.DeferClose());
    EXPECT_TRUE(gate.DeferClose());
    EXPECT_FALSE(gate.TakeDeferredClose());  // not while the save runs
  }
  EXPECT_TRUE(gate.TakeDeferredClose());
  EXPECT_FALSE(gate.TakeDeferredClose());
}

}  // namespace
}  // namespace flk

// The codes CountToolUse counts (the ToolUse setting keeps a tally per code).
// The outputs count their dispatcher tag (1..8, 10, 11, 19); the rest are
// here, whichever subsystem runs them, so that no two tools share a code.
#pragma once

namespace flk {

inline constexpr int kUsageFolderStore = 9;
inline constexpr int kUsageFullScreen = 12;
inline constexpr int kUsageLastWindow = 13;
inline constexpr int kUsageLastWindowClient = 14;
inline constexpr int kUsageRefresh = 16;
inline constexpr int kUsageWindow = 17;
inline constexpr int kUsageInside = 18;
inline constexpr int kUsageRobo = 20;
inline constexpr int kUsageScroll = 21;
inline constexpr int kUsageRecall = 22;

}  // namespace flk

// The tests' picture of a frame: its drawing steps painted into a buffer the
// way GDI paints them, to compare with what the program drew.
#pragma once

#include <algorithm>
#include <vector>

#include "shell/common_services.h"

namespace flk {

// Paints the steps into a row-major buffer of width x height cells (clipped),
// each cell receiving the colour of the last step that covers it. Lines must be
// horizontal or vertical, as ThickFrameOps produces.
inline void RasteriseFrameOps(const std::vector<FrameOp>& ops, int width, int height, std::vector<int>& cells) {
  cells.resize(static_cast<size_t>(std::max(width, 0)) * static_cast<size_t>(std::max(height, 0)), -1);
  auto plot = [&](int x, int y, FrameColour c) {
    if (x >= 0 && y >= 0 && x < width && y < height) cells[static_cast<size_t>(y) * width + x] = static_cast<int>(c);
  };
  for (const FrameOp& op : ops) {
    if (op.kind == FrameOp::Line) {
      int dx = (op.x1 > op.x0) - (op.x1 < op.x0), dy = (op.y1 > op.y0) - (op.y1 < op.y0);
      for (int x = op.x0, y = op.y0; x != op.x1 || y != op.y1; x += dx, y += dy) plot(x, y, op.colour);
    } else {
      // FrameRect: a one-pixel border just inside the rectangle; nothing when empty.
      if (op.x1 <= op.x0 || op.y1 <= op.y0) continue;
      for (int x = op.x0; x < op.x1; ++x) {
        plot(x, op.y0, op.colour);
        plot(x, op.y1 - 1, op.colour);
      }
      for (int y = op.y0; y < op.y1; ++y) {
        plot(op.x0, y, op.colour);
        plot(op.x1 - 1, y, op.colour);
      }
    }
  }
}

}  // namespace flk

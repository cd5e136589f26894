#!/usr/bin/env bash
# End-to-end layer at 150 % display scaling (LogPixels 144): the camera
# scenarios again, with every expectation laid out at that scale. Prints
# "LAYER e2e-dpi: N passed, M failed".
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export FLK_E2E_DPI=144 FLK_E2E_LAYER=e2e-dpi
exec bash "$ROOT/scripts/e2e.sh" --gtest_filter='CameraView*:CameraCapture*:CameraModes*:CameraOutputs*:MoveResize*:WindowLayout*' "$@"

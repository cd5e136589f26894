// The viewer's edits of a picture in memory, at any depth: mirror (columns
// reversed), flip (rows reversed) and invert (every colour's complement; a
// palette picture gets its colour table inverted, its indexes stay).
#pragma once

#include "base/picture.h"

namespace flk {

void MirrorPicture(Picture& picture);
void FlipPicture(Picture& picture);
void InvertPicture(Picture& picture);

}  // namespace flk

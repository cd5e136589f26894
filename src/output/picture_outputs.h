// The outputs a picture can go to, whoever holds it (the camera, the recall
// viewer, a sticky note), and what each one needs of the picture first.
#pragma once

namespace flk {

// The status line after a copy to the clipboard.
inline constexpr char kCopiedToClipboardText[] = "Copied to clipboard.";

enum class PictureOutput { Print, PrintFit, Copy, Edit, Email, SaveAs, SaveSamePlusOne, EmailAttachment };

// Outputs that write the picture to a file take the colour depth the user
// chose for files (PixelFormatPro); the others keep the picture as it is.
bool OutputWritesFile(PictureOutput output);

}  // namespace flk

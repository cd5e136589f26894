// The pages of the daily tips book. Titles and texts describe what
// FramelarkPro does and where to find it; each page is meant to be read in
// half a minute.
#include "tips/tips_book.h"

namespace flk {

namespace {

using L = TipLinkList;

constexpr TipPage kPages[] = {
    {"Contents", "", "Welcome to FramelarkPro",
     "FramelarkPro is a camera for your screen: a frame with a clear middle that you lay over anything you want a "
     "picture of.\r\n\r\nEvery time it starts, this book opens at the next tip. Pick a subject below, or page "
     "through with Next and Previous.",
     L::Contents},
    {"My First Capture", "My First Screen Capture  --  Tutorial", "My First Screen Capture",
     "1  Find the Framelark window: the frame whose middle shows what lies beneath it. Click the link below if it "
     "is not on the screen.\r\n\r\n2  Drag it by its middle over something you want, and drag its edges to fit."
     "\r\n\r\n3  Click Copy, then paste into any program with Ctrl+V. Or click Save to write a BMP, GIF, JPEG or PNG "
     "file."},
    {"More Tutorial", "", "More Tutorial",
     "Every button of the camera takes the picture inside the frame and hands it to one place: a file, the "
     "printer, the clipboard, your image editor, an e-mail or a sticky note on the desktop.\r\n\r\nA copy of every "
     "capture also goes into the LastCaptures folder, so a picture you forgot to save is not lost. Click Recall to "
     "look through it."},
    {"Features", "My First Screen Capture, Tutorial", "Features", ""},
    {"Tools", "", "Tools",
     "The toolbar buttons, one page each. Buttons you never use can be switched off under Custom / General "
     "Settings; every command stays in the menus.",
     L::Tools},
    {"Store && Recall", "Store & Recall", "Store & Recall",
     "Store keeps the picture in a picture folder of your choice; its arrow lists the folders and makes new "
     "ones.\r\n\r\nRecall opens the Recall Viewer on the folders, with a thumbnail of every picture and a memo "
     "beside each one."},
    {"Save && Save+1", "Save & Save+1", "Save & Save+1",
     "Save asks for a file name and writes the picture as BMP, GIF, JPEG or PNG; the extension you type decides the "
     "format.\r\n\r\nSave+1 saves again under the last name with its number raised by one: shot1.png, shot2.png, "
     "shot3.png, without any question."},
    {"Print && PrintFit", "Print & PrintFit", "Print & PrintFit",
     "Print prints the picture at the size it has on the screen. PrintFit stretches it to fill the page.\r\n\r\n"
     "After a print, small cyan marks on the view's edges show where the printed page ends."},
    {"Copy && Paste", "Copy & Paste", "Copy & Paste",
     "Copy puts the picture on the clipboard. Paste it into a document, a mail or an image editor with "
     "Ctrl+V.\r\n\r\nThe status line says \"Copied to clipboard.\" when it is there."},
    {"Editor", "", "Editor",
     "Editor writes the picture into the Edited folder and opens it in your image editor, so you can mark it up "
     "straight away.\r\n\r\nChoose the editor under Custom / Editor Setup; without one, the program Windows uses "
     "for bitmaps opens it."},
    {"Email", "", "Email",
     "Email puts the picture into a new message of your mail program, as a GIF, JPEG, PNG or BMP attachment of "
     "your choice.",
     L::None, "Email Attachment"},
    {"Sticky", "Sticky Note", "Sticky Note",
     "Sticky pins the picture to the desktop as a note that stays there and comes back after a "
     "restart.\r\n\r\nRight-click a note to print, copy, edit, mail, save or delete it."},
    {"Hold On Top", "", "Hold On Top",
     "Hold keeps the current picture in the camera, on top of other programs, while you work in them. Use it to "
     "keep a reference in view, or to compare before and after. Click Hold again to let go.",
     L::None, "Sticky"},
    {"Edge To Edge", "", "Edge To Edge",
     "Edge To Edge turns the control panel into a small floating strip inside the view, so the whole camera, "
     "frame included, becomes the picture. Use it for large areas.\r\n\r\nClick the strip's caption to go back.",
     L::None, "Control Panel"},
    {"Full Screen", "", "Full Screen",
     "Screen captures the whole screen with the camera out of the way and opens the picture in the Recall Viewer."},
    {"Window Capture", "", "Window Capture",
     "Window captures the whole window that lies under the camera's centre, frame and title included. Inside takes "
     "only its inner part, without frame and title bar."},
    {"Robo Capture", "", "Robo Capture",
     "Robo scrolls the window under the camera's centre from top to bottom by itself and joins its screens into one "
     "tall picture of the whole document.",
     L::None, "Scroll Capture"},
    {"Scroll Capture", "", "Scroll Capture",
     "Scroll joins the screens of a scrolling window while you scroll it yourself, so you take exactly the part "
     "you want. Press Stop when you have it.",
     L::None, "Robo Capture"},
    {"Email Attachment", "", "Email Attachment",
     "File / Make Email Attachment (Ctrl+A) writes the picture as a JPEG file and puts its path on the clipboard, "
     "ready to paste into the attach box of any mail program."},
    {"Invert, Mirror, Flip, Property", "", "Invert, Mirror, Flip, Property",
     "The Recall Viewer turns a stored picture into its negative (Invert), mirrors it left to right, flips it upside "
     "down, and shows its size and colour depth (Property)."},
    {"Tips", "", "Tips", "Short tips on working faster with FramelarkPro.", L::Tips},
    {"Grab Zones", "", "Grab Zones",
     "Drag the view, the title bar, the empty part of the menu row or the status line to move the camera. Drag its "
     "frame to size it; the thin latches on the top and bottom frame size it too."},
    {"Refresh Wait", "", "Refresh Wait",
     "To show what lies beneath, the camera steps aside for a moment and lets the other windows repaint. If "
     "pictures have blank spots, give them more time under Custom / General Settings / Wait For Other Programs."},
    {"Context Menus", "", "Context Menus",
     "Right-click the view for a menu of every output. Right-click the toolbar or the status line to customise the "
     "camera."},
    {"Arrow Keys", "", "Arrow Keys",
     "The arrow keys move the camera one pixel at a time. With Shift, Ctrl or Alt held they move its right or "
     "bottom edge instead, for pixel-exact sizes."},
    {"Control Panel", "", "Control Panel",
     "The control panel sits above the view, below it (Custom / Bottom Control Panel), or floats inside it in Edge "
     "To Edge mode. A click on the thin latch in the top or bottom frame switches between them."},
    {"Quick Launch", "", "Quick Launch",
     "Custom / Launch Settings puts FramelarkPro on the desktop and the Start menu and can start it with Windows, "
     "waiting in the status area until you need it."},
    {"PrintScreen Key", "", "PrintScreen Key",
     "The Print Screen key freezes the whole desktop, open menus included, under the camera. Capture what you "
     "need, then click the desktop to thaw it."},
    {"Close vs. Exit", "", "Close vs. Exit",
     "The camera's close button can end FramelarkPro or only put the camera away in the status area; choose under "
     "Custom / General Settings / Main Close Button. File / Exit always ends it."},
    {"Status Area", "", "Status Area",
     "While FramelarkPro runs, its icon sits in the status area at the right end of the taskbar. Click it to bring "
     "the camera back; right-click it for captures without the camera."},
    {"Thumb Size", "", "Thumb Size",
     "In the Recall Viewer, drag the splitter below the thumbnail strip to make the thumbnails larger or smaller."},
    {"Thumb Review", "", "Thumb Review",
     "Click a thumbnail in the Recall Viewer to show its picture with its memo."},
    {"Memo Size", "", "Memo Size",
     "Every picture in the Recall Viewer has a memo for notes. Drag the bar above it to give it more room."},
    {"LastCaptures", "", "LastCaptures",
     "The LastCaptures folder keeps the last five captures by default. Change the number under Custom / General "
     "Settings; 0 keeps none, unlimited keeps all."},
    {"Buttons Off", "", "Buttons Off",
     "Switch off the buttons and rows you do not use under Custom / General Settings, and the camera gets smaller "
     "and quicker to aim. You can watch it change as you click."},
    {"Word Tip", "", "Word Tip",
     "To put a capture into a word processor, click Copy and paste with Ctrl+V where the cursor is."},
    {"Show How", "", "Show How",
     "A picture of the steps says more than a page of text: capture each step with Save+1 and the files come out "
     "numbered in order."},
    {"No More Notes", "", "No More Notes",
     "Each how-to message has a box \"Don't show this message again.\". Custom / Restore All No-Show-Again Dialogs "
     "brings them all back, and these daily tips too."},
    {"Bug Reporting", "", "Bug Reporting",
     "If something goes wrong, Help / Send a Bug Report puts a description of your system and settings into a mail "
     "to Hollowbrook."},
    {"Remember Settings", "", "Remember Settings",
     "FramelarkPro remembers where the camera was, its size and your choices, and opens the same way next time."},
    {"Compare Results", "", "Compare Results",
     "Hold one picture on top while you change something beneath it, and compare before and after side by side."},
    {"Real or copy?", "", "Real or copy?",
     "The view is a picture of the screen, not a hole. When the screen beneath changes, the view shows question "
     "marks until you click it; then it shows the screen as it is now."},
    {"PDF's", "", "PDF's",
     "To capture a whole page of a PDF document, let Robo Capture scroll through it, or print the picture to a PDF "
     "printer."},
    {"Get Help", "", "Get Help",
     "Press F1 in any FramelarkPro window, or click Help / Help, to open the help pages in your browser."},
    {"Collect Information", "", "Collect Information",
     "Store pictures for one subject into a folder of their own and write what each one shows into its memo in "
     "the Recall Viewer."},
    {"Have Nots", "", "Have Nots",
     "FramelarkPro does not record video and does not change the pictures of other programs: it takes what the "
     "screen shows."},
    {"Room For More", "", "Room For More",
     "Missing something? Hollowbrook reads every suggestion: click Submit Suggestion below to write one."},
    {"Email Hollowbrook", "", "Email Hollowbrook",
     "Questions and comments reach the makers of FramelarkPro through Help / Send Email to Hollowbrook."},
    {"This Version", "", "This Version",
     "FramelarkPro version 1.32.\r\n\r\nThis software is based in part on the work of the Independent JPEG Group. "
     "PNG files are written with libpng and zlib, GIF files with giflib."},
};

constexpr TipFeature kFeatures[] = {
    {1, "The Basics", "The Basics",
     "Lay the camera over anything on the screen, size it and click a button: the picture goes to a file, the "
     "printer, the clipboard, an editor, a mail or a sticky note.",
     ""},
    {2, "Point && Shoot", "Point & Shoot",
     "No selecting with the mouse after the fact: what you see inside the frame is what you get.", ""},
    {3, "Scroll Capture", "Scroll Capture",
     "Robo and Scroll capture scroll another program's window and join its screens into one tall picture.",
     "Robo Capture"},
    {4, "Hold On Top", "Hold On Top", "Keep a capture on top of other programs while you work in them.",
     "Hold On Top"},
    {5, "Built-In Viewer", "Built-In Viewer",
     "The Recall Viewer browses the picture folders with thumbnails and a memo per picture.", "Store & Recall"},
    {6, "LastCaptures ", "LastCaptures Folder",
     "A copy of every capture is kept in LastCaptures, so nothing you took is lost.", "LastCaptures"},
    {7, "Customizable", "Customizable",
     "Choose the panels, buttons, frame width and waiting time that suit your work.", "Buttons Off"},
};

}  // namespace

int TipPageCount() { return int(std::size(kPages)); }

const TipPage& TipPageAt(int index) {
  if (index < 0 || index >= TipPageCount()) return kPages[0];
  return kPages[index];
}

std::span<const TipFeature> TipFeatures() { return kFeatures; }

}  // namespace flk

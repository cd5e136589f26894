// Names that several processes must agree on: window classes and captions,
// private messages, hand-over files, registry paths. Change nothing here
// without changing every role that uses it.
#pragma once

namespace flk {

// Window identities (FindWindow by exact class and caption).
inline constexpr char kTrayClass[] = "TfrmFramelark";
inline constexpr char kTrayCaption[] = "Framelark";
inline constexpr char kTrayResourceCaption[] = "Framelark Main";
inline constexpr char kCameraClass[] = "TfrmCam";
inline constexpr char kCameraCaption[] = "FramelarkPro";
inline constexpr char kStickiesClass[] = "TfrmStickies";
inline constexpr char kStickiesCaption[] = "Stickies";
inline constexpr char kViewerClass[] = "TfrmViewer";
inline constexpr char kViewerCaption[] = "FramelarkPro Recall Viewer";
inline constexpr char kTipsClass[] = "TfrmTips";
inline constexpr char kTipsCaption[] = "FramelarkPro Daily Tips";

// Private messages between the roles (WM_USER + n).
inline constexpr unsigned kWmNewSticky = 1025;
inline constexpr unsigned kWmTrayNotify = 1026;
inline constexpr unsigned kWmCameraRequest = 1027;
inline constexpr unsigned kWmCameraSelf = 1028;
inline constexpr unsigned kWmViewerNotify = 1029;
// WM_VIEWERNOTIFY's wParam: a folder index (0, 1, ...) or one of these.
enum class ViewerNotice : int { ShowLastCaptures = -1, FoldersChanged = -2, RingSizeChanged = -3 };

// Role words (first command-line argument, compared in lower case).
inline constexpr char kRoleSetup[] = "setup";
inline constexpr char kRoleUninstal[] = "uninstal";
inline constexpr char kRoleSticky[] = "sticky";
inline constexpr char kRoleWelcome[] = "welcome";
inline constexpr char kRoleViewer[] = "viewer";

// Files.
inline constexpr char kProgramFile[] = "FramelarkPro.exe";
inline constexpr char kHelpFile[] = "Framelark.hlp";
inline constexpr char kNewStickyFile[] = "NewSticky.bmp";
inline constexpr char kEmailAttachmentFile[] = "Framelark.jpg";

// Registry.
inline constexpr char kSettingsPath[] = "Software\\Hollowbrook\\Framelark";
inline constexpr char kAppPathsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
inline constexpr char kAppPathKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\FramelarkPro.exe";
inline constexpr char kOldAppPathKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Framelark.exe";
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValue[] = "FramelarkPro";
inline constexpr char kAdminProbeKey[] = "Software\\Quorvale";
inline constexpr char kOldConfigParentKey[] = "Software\\Hollowbrook";

inline constexpr char kProgramName[] = "FramelarkPro";
inline constexpr char kProgramVersion[] = "1.32";
inline constexpr char kMakerAddress[] = "https://www.hollowbrook.example/framelark";
inline constexpr char kSupportAddress[] = "support@hollowbrook.example";

}  // namespace flk

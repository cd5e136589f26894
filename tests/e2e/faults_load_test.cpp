// Leaks under load (the e2e-faults layer): 1,000 captures in a row through
// the ring with trimming, 200 folder switches of the viewer, 100 notes made
// and deleted. The process's GDI objects (counted in its GDI handle table,
// since Wine answers GetGuiResources with 0), its USER objects where Wine
// answers, its windows and its memory must come back to where they were after
// a warm-up; the figures are printed for the record.
//
// Outside that layer (no FLK_FAULTS_DRIVE) every scenario here is skipped.
#include <windows.h>

#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <utility>
#include <vector>

#include "camera_scene.h"
#include "viewer/viewer_commands.h"

namespace flk::e2e {
namespace {

#define SKIP_OUTSIDE_FAULTS_LAYER() \
  if (!std::getenv("FLK_FAULTS_DRIVE")) GTEST_SKIP() << "only in the e2e-faults layer"

struct Figures {
  long tableGdi = -1;       // live GDI objects in the handle table; -1 unread
  DWORD gdi = 0, user = 0;  // GetGuiResources; 0 where Wine does not answer
  size_t windows = 0;       // top-level and child windows of the process
  size_t privateKiB = 0;    // private bytes (0 where Wine does not answer)
  size_t workingSetKiB = 0;
  size_t pagefileKiB = 0;   // committed bytes
};

BOOL CALLBACK CountChild(HWND, LPARAM n) {
  ++*reinterpret_cast<size_t*>(n);
  return TRUE;
}

struct WindowCount {
  DWORD pid;
  size_t n;
};
BOOL CALLBACK CountTop(HWND w, LPARAM p) {
  auto* c = reinterpret_cast<WindowCount*>(p);
  if (WindowPid(w) != c->pid) return TRUE;
  ++c->n;
  ::EnumChildWindows(w, CountChild, LPARAM(&c->n));
  return TRUE;
}

// The live, non-stock GDI objects of a process, from the GDI handle table its
// PEB points to (GdiSharedHandleTable, at 0xF8 in a 64-bit PEB). Each entry is
// 24 bytes: the object pointer, the owner, the unique word (bit 7 of its first
// byte marks a stock object) and the type byte, 0 for a free entry.
long GdiTableObjects(HANDLE process) {
  using QueryFn = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  static const auto query =
      reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
  uint64_t table = 0;
  SIZE_T got = 0;
  const auto* tableField = reinterpret_cast<const char*>(basic.PebBaseAddress) + 0xF8;
  if (!::ReadProcessMemory(process, tableField, &table, sizeof table, &got) || !table) return -1;
  constexpr size_t kEntries = 0x10000, kEntrySize = 24;
  std::vector<unsigned char> entries(kEntries * kEntrySize);
  if (!::ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(), entries.size(), &got))
    return -1;
  long n = 0;
  for (size_t i = 0; i < kEntries; ++i) {
    const unsigned char* e = &entries[i * kEntrySize];
    if (e[14] != 0 && !(e[12] & 0x80)) ++n;
  }
  return n;
}

Figures Measure(DWORD pid) {
  Figures f;
  HANDLE h = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!h) return f;
  // Read once the count holds still: a folder just shown is still drawing
  // its thumbnails for a moment.
  f.tableGdi = GdiTableObjects(h);
  for (int i = 0; i < 20; ++i) {
    ::Sleep(250);
    const long previous = std::exchange(f.tableGdi, GdiTableObjects(h));
    if (previous == f.tableGdi) break;
  }
  f.gdi = ::GetGuiResources(h, GR_GDIOBJECTS);
  f.user = ::GetGuiResources(h, GR_USEROBJECTS);
  PROCESS_MEMORY_COUNTERS_EX m{};
  m.cb = sizeof m;
  if (::K32GetProcessMemoryInfo(h, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m)) {
    f.privateKiB = m.PrivateUsage / 1024;
    f.workingSetKiB = m.WorkingSetSize / 1024;
    f.pagefileKiB = m.PagefileUsage / 1024;
  }
  ::CloseHandle(h);
  WindowCount c{pid, 0};
  ::EnumWindows(CountTop, LPARAM(&c));
  f.windows = c.n;
  return f;
}

// Prints the figures and checks that they came back: the object counts and
// windows exactly, the private bytes within `slackKiB` (the heap keeps some
// pages it once had).
void Compare(const char* what, const Figures& before, const Figures& after, size_t slackKiB) {
  std::printf("load %s: GDI objects in the handle table %ld -> %ld, GetGuiResources GDI %lu -> %lu, USER objects %lu -> %lu, windows %zu -> %zu, "
              "private %zu KiB -> %zu KiB, committed %zu KiB -> %zu KiB, working set %zu KiB -> %zu KiB\n",
              what, before.tableGdi, after.tableGdi, (unsigned long)before.gdi, (unsigned long)after.gdi, (unsigned long)before.user,
              (unsigned long)after.user, before.windows, after.windows, before.privateKiB, after.privateKiB,
              before.pagefileKiB, after.pagefileKiB, before.workingSetKiB, after.workingSetKiB);
  std::fflush(stdout);
  EXPECT_GT(before.tableGdi, 0) << what << ": the GDI handle table read";
  EXPECT_LE(after.tableGdi, before.tableGdi) << what;
  EXPECT_LE(after.gdi, before.gdi) << what;
  EXPECT_LE(after.user, before.user) << what;
  EXPECT_EQ(after.windows, before.windows) << what;
  EXPECT_GT(after.workingSetKiB, 0u) << "memory figures answered";
  EXPECT_LE(after.privateKiB, before.privateKiB + slackKiB) << what;
  EXPECT_LE(after.pagefileKiB, before.pagefileKiB + slackKiB) << what;
  EXPECT_LE(after.workingSetKiB, before.workingSetKiB + slackKiB) << what;
}

std::string Ring() { return DataFolder() + "Folders\\LastCaptures\\"; }

size_t RingPictures() {
  size_t n = 0;
  WIN32_FIND_DATAA d;
  HANDLE f = ::FindFirstFileA((Ring() + "*.bmp").c_str(), &d);
  if (f == INVALID_HANDLE_VALUE) return 0;
  do ++n;
  while (::FindNextFileA(f, &d));
  ::FindClose(f);
  return n;
}

// A 24-bit w x 20 bitmap file.
void PutSmallBmp(const std::string& path, int w) { std::ofstream(path, std::ios::binary) << SmallBmp(w, 20, w); }

class FaultsLoad : public ProgramTest {
 protected:
  void SetUp() override {
    SKIP_OUTSIDE_FAULTS_LAYER();
    ProgramTest::SetUp();
    RemoveStoredNotes();
  }
  void TearDown() override {
    if (!std::getenv("FLK_FAULTS_DRIVE")) return;
    ProgramTest::TearDown();
    KillProgramProcesses();
    RemoveStoredNotes();
  }
};

// The handle-table count sees what a process makes and deletes: checked on
// this process, so that a count that stays flat under load means something.
TEST_F(FaultsLoad, TheGdiHandleTableCountFollowsObjectsMadeAndDeleted) {
  HANDLE self = ::GetCurrentProcess();
  const long start = GdiTableObjects(self);
  ASSERT_GT(start, 0);
  std::vector<HGDIOBJ> made;
  for (int i = 0; i < 10; ++i) made.push_back(::CreateSolidBrush(RGB(i, 0, 0)));
  made.push_back(::CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  EXPECT_EQ(GdiTableObjects(self), start + 11);
  ::DeleteObject(::GetStockObject(WHITE_BRUSH));  // stock objects are not counted, nor deleted
  for (HGDIOBJ o : made) ::DeleteObject(o);
  EXPECT_EQ(GdiTableObjects(self), start);
}

// Store (the ring copy of the viewfinder) 1,000 times into a ring of 3.
TEST_F(FaultsLoad, AThousandCapturesThroughTheTrimmedRingLeakNothing) {
  RunningCamera cam = StartCameraWith({{"NsaCntrPt", 1}, {"LastCapturesNum", 3}});
  ASSERT_TRUE(cam.camera) << DescribeBoxes(0);
  auto store = [&] { return Send(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::StoreRing), 0, 10000); };
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(store());  // the warm-up: every path once, the heap grown
  const Figures before = Measure(cam.process.pid());
  const DWORD t0 = ::GetTickCount();
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(store()) << i;
  const DWORD ms = ::GetTickCount() - t0;
  EXPECT_EQ(RingPictures(), 3u) << "trimmed all along";
  EXPECT_TRUE(MessageBoxes(nullptr, 0).empty()) << DescribeBoxes(0);
  std::printf("load ring: 1000 captures in %lu ms\n", (unsigned long)ms);
  Compare("ring", before, Measure(cam.process.pid()), 2048);
}


// 200 switches between two picture folders of the viewer.
TEST_F(FaultsLoad, TwoHundredFolderSwitchesOfTheViewerLeakNothing) {
  WriteCurrentUserSettings();
  const std::string other = DataFolder() + "Folders\\Other\\";
  ::CreateDirectoryA((DataFolder() + "Folders").c_str(), nullptr);
  ::CreateDirectoryA(Ring().c_str(), nullptr);
  ::CreateDirectoryA(other.c_str(), nullptr);
  // A few pictures in each folder: every switch loads them and writes nothing.
  for (int i = 1; i <= 3; ++i) {
    PutSmallBmp(Ring() + "000000000" + std::to_string(i) + ".bmp", 40 + i);
    PutSmallBmp(other + std::to_string(i) + ".bmp", 30 + i);
  }
  Process p = Process::Start("viewer");
  HWND v = WaitViewer();
  ASSERT_TRUE(v) << DescribeBoxes(0);
  auto choose = [&](int index, const char* name) {
    Post(v, WM_COMMAND, WPARAM(kFolderItemBase + index));
    return WaitUntil([&] { return ViewerStatus(v).find(name) != std::string::npos; }, 10000);
  };
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(choose(1, "Other") && choose(0, "LastCaptures")) << ViewerStatus(v);
  const Figures before = Measure(p.pid());
  const DWORD t0 = ::GetTickCount();
  for (int i = 0; i < 100; ++i)
    ASSERT_TRUE(choose(1, "Other") && choose(0, "LastCaptures")) << i << ": " << ViewerStatus(v);
  std::printf("load viewer: 200 folder switches in %lu ms\n", (unsigned long)(::GetTickCount() - t0));
  EXPECT_TRUE(MessageBoxes(nullptr, 0).empty()) << DescribeBoxes(0);
  Compare("viewer", before, Measure(p.pid()), 2048);
}

// 100 notes made from the camera and deleted from their own menus.
TEST_F(FaultsLoad, AHundredNotesMadeAndDeletedLeakNothing) {
  RunningCamera cam = StartCameraWith({{"NsaCntrPt", 1}, {"LastCapturesNum", 0}});
  ASSERT_TRUE(cam.camera) << DescribeBoxes(0);
  DWORD manager = 0;
  auto makeAndDelete = [&]() -> bool {
    if (!Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Sticky))) return false;
    HWND note = WaitWindow("TfrmStickyItem", "StickyItem", true, 10000);
    if (!note) return false;
    manager = WindowPid(note);
    RECT r = WindowRect(note);
    POINT on{r.left + 12, r.bottom - 12};
    MouseAt(on.x, on.y);
    WaitUntil([&] { return ::WindowFromPoint(on) == note; }, 2000);
    MouseAt(on.x, on.y, MOUSEEVENTF_RIGHTDOWN);
    MouseAt(on.x, on.y, MOUSEEVENTF_RIGHTUP);
    if (!WaitUntil([&] { return VisibleMenu(manager) != nullptr; }, 5000)) return false;
    Press({VK_UP});  // the last entry, "Delete "
    Press({VK_RETURN});
    return WaitGone(note, 10000);
  };
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(makeAndDelete()) << DescribeBoxes(0);
  ASSERT_NE(manager, 0u);
  const Figures before = Measure(manager), cameraBefore = Measure(cam.process.pid());
  const DWORD t0 = ::GetTickCount();
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(makeAndDelete()) << i << ": " << DescribeBoxes(0);
  std::printf("load notes: 100 notes made and deleted in %lu ms\n", (unsigned long)(::GetTickCount() - t0));
  EXPECT_TRUE(NoteFiles().empty()) << "every note deleted with its file";
  const Figures after = Measure(manager);
  Compare("notes (manager)", before, after, 2048);
  Compare("notes (camera)", cameraBefore, Measure(cam.process.pid()), 2048);
}

}  // namespace
}  // namespace flk::e2e

// The kit's modal form under a real message loop: its own commands first,
// then Cancel and the close box end it, Enter's default button is the one
// set, and the form is gone when its loop ends.
#include "win32/modal_form_win.h"

#include <gtest/gtest.h>

#include <vector>

namespace flk {
namespace {

constexpr int kCount = 100, kDone = 101;

class CountingForm : public win::ModalForm {
 public:
  bool Open() { return Create(L"FlkTestModalForm", L"", WS_POPUP, 0, 0, 0, 160, 90); }
  bool Run() { return RunModal(win::ModalOptions{}); }
  void Default(int id) { SetDefaultButton(id); }
  std::vector<int> seen;

 protected:
  bool OnCommand(int id, int) override {
    if (id != kCount && id != kDone) return false;
    seen.push_back(id);
    if (id == kDone) EndModal();
    return true;
  }
};

TEST(ModalFormWin, EachWayOfEndingEndsTheLoopAndDestroysTheForm) {
  const struct {
    UINT msg;
    WPARAM wp;
  } endings[] = {{WM_COMMAND, kDone}, {WM_COMMAND, IDCANCEL}, {WM_CLOSE, 0}};
  for (const auto& e : endings) {
    CountingForm form;
    ASSERT_TRUE(form.Open());
    const HWND hwnd = form.hwnd();
    ::PostMessageW(hwnd, WM_COMMAND, kCount, 0);
    ::PostMessageW(hwnd, WM_COMMAND, IDOK, 0);  // not the form's: nothing happens
    ::PostMessageW(hwnd, e.msg, e.wp, 0);
    ::PostMessageW(hwnd, WM_CLOSE, 0, 0);  // so that a broken ending fails instead of hanging
    EXPECT_TRUE(form.Run()) << e.msg << " " << e.wp;
    std::vector<int> want{kCount};
    if (e.wp == kDone) want.push_back(kDone);
    EXPECT_EQ(form.seen, want);
    EXPECT_FALSE(::IsWindow(hwnd));
  }
}

TEST(ModalFormWin, TheDefaultButtonAndTheClientRectAreTheFormsOwn) {
  CountingForm form;
  ASSERT_TRUE(form.Open());
  EXPECT_EQ(::SendMessageW(form.hwnd(), DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
  form.Default(kCount);
  EXPECT_EQ(::SendMessageW(form.hwnd(), DM_GETDEFID, 0, 0), MAKELRESULT(kCount, DC_HASDEFID));
  const RECT c = form.clientRect();
  EXPECT_EQ(c.left, 0);
  EXPECT_EQ(c.top, 0);
  EXPECT_EQ(c.right, 160);  // a popup without a border: its whole rectangle
  EXPECT_EQ(c.bottom, 90);
  ::DestroyWindow(form.hwnd());
  EXPECT_EQ(form.clientRect().right, 0) << "a form that is gone has no client area";
}

}  // namespace
}  // namespace flk

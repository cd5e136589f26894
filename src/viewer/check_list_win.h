// A list of rows with check boxes, as the options dialog's two lists show
// them: an owner-drawn list box (one or more columns, button-face colour, no
// border) whose rows the parent's model ticks. A press on a row, on its box or
// on its text, turns that row over exactly once (a quick second press is a
// second turn); the space bar turns the focused row over; the arrow keys move
// between rows and columns.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/dpi.h"
#include "base/geometry.h"

namespace flk {

class CheckList {
 public:
  CheckList() = default;
  ~CheckList();
  CheckList(const CheckList&) = delete;
  CheckList& operator=(const CheckList&) = delete;

  // rect: physical pixels; rows fill the columns top to bottom, rowsPerColumn
  // in each, rowHeight96 high (96-DPI pixels) at the scale.
  bool Create(HWND parent, int id, const Rect& rect, HFONT font, const std::vector<std::string>& rows,
              int rowsPerColumn, int rowHeight96, const DpiScale& scale);
  HWND hwnd() const { return list_; }

  std::function<bool(int row)> checked;  // read at each paint
  std::function<void(int row)> toggled;  // the user turned this row over

  // The parent forwards its WM_DRAWITEM for this list.
  void Draw(const DRAWITEMSTRUCT& item) const;
  // Paints the rows again after the model changed.
  void Refresh() const { ::InvalidateRect(list_, nullptr, TRUE); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void Toggle(int row) const;  // row: as pressed, checked against the list

  HWND list_ = nullptr;
  DpiScale scale_;
};

}  // namespace flk

// FormWindow: the controls' windows (or, for windowless ones, their place on
// their container) and the model's changes of them.
#include <windows.h>
// <windows.h> first: the common controls build on its types.
#include <commctrl.h>

#include <algorithm>

#include "platform/win32/text_convert.h"
#include "platform/win32/ui/forms/form_window.h"
#include "platform/win32/ui/forms/translate.h"

namespace kelvane::platform::win32::forms {
namespace {

using form::Change;
using form::ControlKind;

// An open drop-down list shows about this many items before it scrolls.
constexpr int kDropDownItems = 8;

}  // namespace

std::wstring TextOf(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  return text;
}

// --- controls ---------------------------------------------------------------------------

void FormWindow::CreateView(form::Control& control) {
  if (View(control)) return;
  auto owned = std::make_unique<ControlView>(*this, control);
  ControlView& view = *owned;
  views_.push_back(std::move(owned));
  by_control_[&control] = &view;
  if (control.IsWindowless()) {
    view.tool_id = next_tool_id_++;
    view.placed = PixelsOf(control);
    if (control.Kind() == ControlKind::kPictureButton)
      view.picture = resources_.LoadPicture(static_cast<form::PictureButton&>(control).Picture());
    UpdateTool(view);
    InvalidateWindowless(view);
    return;
  }
  CreateControlWindow(view);
}

void FormWindow::CreateControlWindow(ControlView& view) {
  form::Control& c = view.control;
  const HWND parent = ContainerWindow(c);
  if (!parent) return;
  const RECT r = PixelsOf(c);
  int height = r.bottom - r.top;
  DWORD style =
      WS_CHILD | WS_CLIPSIBLINGS | (c.Visible() ? WS_VISIBLE : 0) | (c.Enabled() ? 0 : WS_DISABLED);
  DWORD ex_style = 0;
  const wchar_t* class_name = nullptr;
  std::wstring text;
  switch (c.Kind()) {
    case ControlKind::kFrame:
    case ControlKind::kPictureBox:
      class_name = kContainerClass;
      style |= WS_CLIPCHILDREN;
      break;
    case ControlKind::kCheckBox:
      class_name = L"BUTTON";
      // Not an automatic check box: the model toggles, the box shows its value.
      style |= BS_CHECKBOX | WS_TABSTOP;
      text = Utf8ToWide(static_cast<form::CheckBox&>(c).Caption());
      break;
    case ControlKind::kButton:
      class_name = L"BUTTON";
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      text = Utf8ToWide(static_cast<form::Button&>(c).Caption());
      break;
    case ControlKind::kTextBox:
      class_name = L"EDIT";
      style |= ES_AUTOHSCROLL | WS_TABSTOP;
      ex_style |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kListBox: {
      class_name = L"COMBOBOX";
      const bool editable =
          static_cast<form::ListBox&>(c).Style() == form::ListStyle::kEditableCombo;
      style |=
          (editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST) | WS_VSCROLL | WS_TABSTOP;
      // A combo box's height includes its list when dropped down.
      height += kDropDownItems * std::max(1, height);
      break;
    }
    case ControlKind::kScrollBar:
      class_name = L"SCROLLBAR";
      style |= static_cast<form::ScrollBar&>(c).Vertical() ? SBS_VERT : SBS_HORZ;
      break;
    case ControlKind::kLabel:
    case ControlKind::kPictureButton:
      return;
  }
  view.window.Reset(CreateWindowExW(ex_style, class_name, text.c_str(), style, r.left, r.top,
                                    r.right - r.left, height, parent, nullptr,
                                    GetModuleHandleW(nullptr), nullptr));
  const HWND hwnd = view.window.Get();
  if (!hwnd) return;
  by_window_[hwnd] = &view;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&view));
  if (class_name != kContainerClass) {
    view.native_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativeProc)));
    if (c.Kind() == ControlKind::kListBox) {
      // An editable combo types into an edit box of its own: its keys, mouse and
      // focus are the list's.
      view.inner = FindWindowExW(hwnd, nullptr, L"Edit", nullptr);
      if (view.inner) {
        by_window_[view.inner] = &view;
        SetWindowLongPtrW(view.inner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&view));
        view.inner_proc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(view.inner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativeProc)));
      }
    }
  }
  WriteAll(view);
  UpdateTool(view);
}

void FormWindow::DestroyControlWindow(ControlView& view) {
  if (view.has_tool && tooltip_) {
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = view.window ? window_.Get() : ContainerWindow(view.control);
    tool.uId = view.window ? reinterpret_cast<UINT_PTR>(view.window.Get()) : view.tool_id;
    SendMessageW(tooltip_.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    view.has_tool = false;
  }
  if (!view.window) return;
  const HWND hwnd = view.window.Get();
  // A combo box destroys its edit box itself; the view stays reachable for both
  // until the last message.
  view.window.Reset();
  by_window_.erase(hwnd);
  if (view.inner) by_window_.erase(view.inner);
  view.inner = nullptr;
  view.native_proc = view.inner_proc = nullptr;
}

// Everything the model holds for a control, written into its new window.
void FormWindow::WriteAll(ControlView& view) {
  form::Control& c = view.control;
  const HWND hwnd = view.window.Get();
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(resources_.Font(c.TextFont())), FALSE);
  WriteBrush(view);
  switch (c.Kind()) {
    case ControlKind::kFrame:
    case ControlKind::kPictureBox:
      view.picture = resources_.LoadPicture(static_cast<form::Container&>(c).Picture());
      break;
    case ControlKind::kCheckBox:
      WindowedChanged(view, Change::kValue);
      break;
    case ControlKind::kTextBox:
      WriteText(view, static_cast<form::TextBox&>(c).Text());
      break;
    case ControlKind::kListBox:
      WriteItems(view);
      break;
    case ControlKind::kScrollBar:
      WriteScroll(view);
      break;
    default:
      break;
  }
}

void FormWindow::WriteBrush(ControlView& view) {
  view.back_brush = resources_.Brush(ResolveColour(view.control.BackColour()));
}

void FormWindow::WriteText(ControlView& view, const std::string& text) {
  const HWND hwnd = view.window.Get();
  const std::wstring wide = Utf8ToWide(text);
  if (!hwnd || TextOf(hwnd) == wide) return;
  view.writing = true;
  SetWindowTextW(hwnd, wide.c_str());
  view.writing = false;
}

void FormWindow::WriteScroll(ControlView& view) {
  auto& bar = static_cast<form::ScrollBar&>(view.control);
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_POS;
  info.nMin = 0;
  info.nMax = std::abs(bar.Max() - bar.Min());
  info.nPos = ScrollPosition(bar.Min(), bar.Max(), bar.Value());
  SetScrollInfo(view.window.Get(), SB_CTL, &info, TRUE);
}

void FormWindow::WriteItems(ControlView& view) {
  auto& list = static_cast<form::ListBox&>(view.control);
  const HWND hwnd = view.window.Get();
  const std::vector<std::string>& items = list.Items();
  std::vector<std::string>& written = view.written_items;
  // The control still holds what was written, and the model only added items
  // after it: only those go in. Otherwise the list is written afresh.
  const bool appended =
      items.size() >= written.size() &&
      SendMessageW(hwnd, CB_GETCOUNT, 0, 0) == static_cast<LRESULT>(written.size()) &&
      std::equal(written.begin(), written.end(), items.begin());
  view.writing = true;
  if (!appended) {
    SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
    written.clear();
  }
  for (std::size_t i = written.size(); i < items.size(); ++i) {
    const std::wstring wide = Utf8ToWide(items[i]);
    SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  written = items;
  view.writing = false;
  WriteSelection(view);
}

void FormWindow::WriteSelection(ControlView& view) {
  auto& list = static_cast<form::ListBox&>(view.control);
  const HWND hwnd = view.window.Get();
  view.writing = true;
  if (SendMessageW(hwnd, CB_GETCURSEL, 0, 0) != list.ListIndex())
    SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(list.ListIndex()), 0);
  view.writing = false;
  // An editable combo's text need not be an item.
  if (list.Style() == form::ListStyle::kEditableCombo) WriteText(view, list.Text());
}

void FormWindow::UpdateTool(ControlView& view) {
  if (!tooltip_) return;
  const form::Control& c = view.control;
  TOOLINFOW tool = {};
  // The size every version of the common controls accepts.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  if (view.window) {
    tool.hwnd = window_.Get();
    tool.uId = reinterpret_cast<UINT_PTR>(view.window.Get());
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  } else {
    // A windowless control is a rectangle of its container.
    tool.hwnd = ContainerWindow(c);
    tool.uId = view.tool_id;
    tool.uFlags = TTF_SUBCLASS;
    tool.rect = view.placed;
    if (!tool.hwnd) return;
  }
  if (view.has_tool) {
    SendMessageW(tooltip_.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    view.has_tool = false;
  }
  if (c.Tooltip().empty() || !c.Visible()) return;
  std::wstring text = Utf8ToWide(c.Tooltip());
  tool.lpszText = text.data();
  view.has_tool = SendMessageW(tooltip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FormWindow::InvalidateWindowless(ControlView& view) {
  if (const HWND container = ContainerWindow(view.control))
    InvalidateRect(container, &view.placed, FALSE);
}

void FormWindow::Restack(const form::Control& control) {
  // The windowed siblings, bottom first, each put on top in turn.
  for (const form::Control* sibling : model_.SiblingsOf(control)) {
    const HWND hwnd = ControlWindow(*sibling);
    if (hwnd) SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

// --- model changes ------------------------------------------------------------------------

void FormWindow::ControlChanged(form::Control& control, Change what) {
  if (dying_) return;
  if (what == Change::kCreated) return CreateView(control);
  ControlView* view = View(control);
  if (!view) return;
  if (control.IsWindowless()) {
    WindowlessChanged(*view, what);
  } else {
    WindowedChanged(*view, what);
  }
}

void FormWindow::WindowlessChanged(ControlView& view, Change what) {
  switch (what) {
    case Change::kBounds:
      InvalidateWindowless(view);
      view.placed = PixelsOf(view.control);
      InvalidateWindowless(view);
      UpdateTool(view);
      return;
    case Change::kVisible:
      InvalidateWindowless(view);
      UpdateTool(view);
      return;
    case Change::kTooltip:
      UpdateTool(view);
      return;
    case Change::kPointer:
      RefreshPointer();
      return;
    case Change::kPicture:
      if (view.control.Kind() == ControlKind::kPictureButton)
        view.picture =
            resources_.LoadPicture(static_cast<form::PictureButton&>(view.control).Picture());
      InvalidateWindowless(view);
      return;
    default:  // caption, font, colours, alignment, transparency, z-order, enabled
      InvalidateWindowless(view);
      return;
  }
}

void FormWindow::WindowedChanged(ControlView& view, Change what) {
  form::Control& c = view.control;
  const HWND hwnd = view.window.Get();
  if (!hwnd) return;
  switch (what) {
    case Change::kBounds: {
      const RECT r = PixelsOf(c);
      int height = r.bottom - r.top;
      if (c.Kind() == ControlKind::kListBox) height += kDropDownItems * std::max(1, height);
      SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return;
    }
    case Change::kVisible:
      ShowWindow(hwnd, c.Visible() ? SW_SHOWNA : SW_HIDE);
      UpdateTool(view);
      return;
    case Change::kEnabled:
      EnableWindow(hwnd, c.Enabled());
      return;
    case Change::kCaption:
      if (c.Kind() == ControlKind::kCheckBox)
        WriteText(view, static_cast<form::CheckBox&>(c).Caption());
      else if (c.Kind() == ControlKind::kButton)
        WriteText(view, static_cast<form::Button&>(c).Caption());
      else
        InvalidateRect(hwnd, nullptr, FALSE);  // a frame's caption is painted
      return;
    case Change::kText:
      if (c.Kind() == ControlKind::kTextBox)
        WriteText(view, static_cast<form::TextBox&>(c).Text());
      else if (c.Kind() == ControlKind::kListBox)
        WriteSelection(view);
      return;
    case Change::kFont:
      SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(resources_.Font(c.TextFont())), TRUE);
      InvalidateRect(hwnd, nullptr, TRUE);
      return;
    case Change::kForeColour:
    case Change::kBackColour:
      WriteBrush(view);
      InvalidateRect(hwnd, nullptr, TRUE);
      return;
    case Change::kPicture:
      if (auto* box = dynamic_cast<form::Container*>(&c))
        view.picture = resources_.LoadPicture(box->Picture());
      InvalidateRect(hwnd, nullptr, FALSE);
      return;
    case Change::kBorder:
    case Change::kDrawing:
      InvalidateRect(hwnd, nullptr, FALSE);
      return;
    case Change::kZOrder:
      Restack(c);
      return;
    case Change::kValue:
      if (c.Kind() == ControlKind::kCheckBox) {
        SendMessageW(hwnd, BM_SETCHECK,
                     static_cast<form::CheckBox&>(c).Value() ? BST_CHECKED : BST_UNCHECKED, 0);
      } else if (c.Kind() == ControlKind::kScrollBar) {
        WriteScroll(view);
      }
      return;
    case Change::kRange:
      WriteScroll(view);
      return;
    case Change::kItems:
      WriteItems(view);
      return;
    case Change::kListIndex:
      WriteSelection(view);
      return;
    case Change::kStyle: {
      // A list's style and a scroll bar's direction are fixed when the control
      // is made: the control is made again, in its place among its siblings.
      const bool focused = GetFocus() == hwnd || (view.inner && GetFocus() == view.inner);
      DestroyControlWindow(view);
      CreateControlWindow(view);
      Restack(c);
      if (focused && view.window) SetFocus(view.window.Get());
      return;
    }
    case Change::kTooltip:
      UpdateTool(view);
      return;
    case Change::kPointer:
      RefreshPointer();
      return;
    default:
      return;
  }
}

}  // namespace kelvane::platform::win32::forms

// The real window of one model window: a top-level window with a child window
// for every windowed control, the windowless ones painted by their container,
// and every message turned into the model's dispatch calls.
//
// It decides nothing. Model changes arrive through WindowObserver and touch only
// what changed; user input goes to the Window's User... functions, positions in
// client-area twips of the top-level window, and the model's answer comes back
// as another change. Where a native control acts on its own (a check box click,
// a list pick, typing), its notification is passed on, and the renderer's own
// writes into a control are kept from echoing back.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/form/form.h"
#include "platform/win32/handles.h"
#include "platform/win32/ui/forms/popup_menu.h"
#include "platform/win32/ui/forms/resources.h"
#include "platform/win32/ui/forms/translate.h"

namespace kelvane::platform::win32::forms {

class FormWindow;

// Window classes of the renderer; registered once per process.
inline constexpr wchar_t kFormClass[] = L"KelvaneForm";
inline constexpr wchar_t kContainerClass[] = L"KelvaneFormContainer";
void RegisterWindowClasses();
// The forms' window class under NAME (a window that other programs find by its class).
void RegisterFormClass(const wchar_t* name);

// A window's whole text.
std::wstring TextOf(HWND hwnd);

// Paints a picture box's drawing at the top-left corner of `dc`.
void PaintDrawing(HDC dc, const form::Drawing& drawing, Resources& resources);

// The real side of one control.
struct ControlView {
  ControlView(FormWindow& form, form::Control& control) : form(form), control(control) {}
  FormWindow& form;
  form::Control& control;
  // The child window (none for labels and picture buttons).
  OwnedWindow window;
  // A native control's own window procedure, and an editable combo's edit box
  // with its procedure (the edit box belongs to the combo).
  WNDPROC native_proc = nullptr;
  HWND inner = nullptr;
  WNDPROC inner_proc = nullptr;
  // The background of a native control, for WM_CTLCOLOR*; shared with every
  // control of the same colour.
  std::shared_ptr<const GdiBrush> back_brush;
  // A list's items as last written into its control, so that items added at
  // the end are sent alone (a list filled item by item costs one message each).
  std::vector<std::string> written_items;
  // A container's or picture button's picture.
  std::shared_ptr<Picture> picture;
  // Windowless: where it was last placed, in its container's pixels.
  RECT placed = {};
  UINT_PTR tool_id = 0;
  bool has_tool = false;
  // The renderer is writing the model's value into the control: the control's
  // notifications are echoes, not the user's.
  bool writing = false;
  // The model handles this press or key itself; the control's own click
  // notification would be a second click.
  bool model_clicks = false;
};

class FormWindow final : public form::WindowObserver {
 public:
  // Creates the real window, hidden, with every control, and attaches to the
  // model (handle, observer, measured frame). `hidden_owner` keeps windows
  // without a taskbar button out of the taskbar.
  FormWindow(form::Window& model, Resources& resources, HWND hidden_owner, int twips_per_pixel_x,
             int twips_per_pixel_y);
  // Destroys the real windows without a word to the model.
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND Hwnd() const { return window_.Get(); }
  // Leaves the model without a real window: no handle, no observer.
  void Detach();
  // The child window of a control; nullptr for windowless ones.
  HWND ControlWindow(const form::Control& control) const;
  form::MenuItem* TrackPopup(form::MenuItem& menu);
  void SystemMove();

  // --- form::WindowObserver ---------------------------------------------------
  void WindowChanged(form::Window& window, form::Change what) override;
  void ControlChanged(form::Control& control, form::Change what) override;
  void MenuChanged(form::MenuItem& item, form::Change what) override;

 private:
  static LRESULT CALLBACK TopProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK ContainerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK NativeProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  friend void RegisterWindowClasses();
  friend void RegisterFormClass(const wchar_t* name);

  LRESULT OnTopMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnContainerMessage(ControlView& view, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnNativeMessage(ControlView& view, HWND hwnd, WNDPROC proc, UINT message, WPARAM wparam,
                          LPARAM lparam);
  // Messages both the top-level window and containers get from their children.
  std::optional<LRESULT> OnChildNotification(UINT message, WPARAM wparam, LPARAM lparam);

  // --- input -------------------------------------------------------------------
  // A mouse message of one of this window's windows, to the model. `own` is
  // true for the renderer's own windows, which take the capture themselves.
  void Mouse(HWND from, UINT message, WPARAM wparam, LPARAM lparam, bool own);
  void MouseAtCursor(form::MouseKind kind, int button);
  // A key message to the model; the code the control should see (0: none).
  // A key that reached the real window of `to` (nullptr: the window itself).
  int Key(UINT message, WPARAM code, form::Control* to = nullptr);
  bool SetPointer(HWND under);
  void RefreshPointer();
  void OnActivate(WPARAM wparam);
  void OnMenuOpening(HMENU menu);
  void ReportBounds();
  void ReportState(WPARAM size_kind);

  // --- model to window -----------------------------------------------------------
  void CreateView(form::Control& control);
  void CreateControlWindow(ControlView& view);
  void DestroyControlWindow(ControlView& view);
  void WriteAll(ControlView& view);
  void WindowlessChanged(ControlView& view, form::Change what);
  void WindowedChanged(ControlView& view, form::Change what);
  void ApplyStyles();
  void ApplyBounds();
  void ApplyVisible();
  void ReleasePictures();
  void ApplyState();
  void ApplyFocus();
  void MeasureFrame();
  void Restack(const form::Control& control);
  void WriteText(ControlView& view, const std::string& text);
  void WriteScroll(ControlView& view);
  void WriteItems(ControlView& view);
  void WriteSelection(ControlView& view);
  void WriteBrush(ControlView& view);
  void UpdateTool(ControlView& view);
  void InvalidateWindowless(ControlView& view);

  // --- painting --------------------------------------------------------------------
  void Paint(HWND hwnd, const ControlView* container);
  void DrawWindowless(HDC dc, const form::Control& control);

  // --- lookups ----------------------------------------------------------------------
  ControlView* View(const form::Control& control) const;
  ControlView* ViewOf(HWND hwnd) const;
  HWND ContainerWindow(const form::Control& control) const;
  RECT PixelsOf(const form::Control& control) const;
  POINT ClientPixel(HWND from, POINT p) const;

  form::Window& model_;
  Resources& resources_;
  HWND hidden_owner_;
  const int tx_;
  const int ty_;
  // Cleared when this object goes, so that code returning from a model call
  // that destroyed it touches nothing.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool dying_ = false;
  // The renderer is releasing the capture itself or echoing the real window's
  // position into the model.
  bool releasing_ = false;
  bool reporting_ = false;

  // Where the renderer last put the window, and the model's values it was put
  // there for.
  TwipsRect placed_;
  RECT placed_pixels_ = {};

  std::shared_ptr<Picture> picture_;
  std::vector<std::unique_ptr<ControlView>> views_;  // in the model's creation order
  std::map<const form::Control*, ControlView*> by_control_;
  std::map<HWND, ControlView*> by_window_;
  UINT_PTR next_tool_id_ = 1;
  PopupMenu* popup_ = nullptr;  // the popup menu being shown
  OwnedWindow tooltip_;
  OwnedWindow window_;
};

}  // namespace kelvane::platform::win32::forms

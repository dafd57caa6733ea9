// The controls of a window. Each is addressed by its name and, in an indexed
// set, its index (`Label1(47)`, `DigFramez(3)`); `Check4` has no index.
// Positions are twips from the top-left corner of the container (a frame, a
// picture box, or the window's client area).
//
// A control's properties are its state: setters store the value, tell the
// renderer what changed (only when it did), and for the values a user can also
// change they raise the same event the user's change would: a check box's
// Click, a list's Click (selection) or Change (typed text), a scroll bar's or a
// text box's Change. Events fire only while the window is loaded, so a window
// class sets its design values in its constructor without running handlers.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/form/drawing.h"
#include "platform/form/types.h"

namespace kelvane::form {

class Window;
class Container;

inline constexpr int kNoIndex = -1;

enum class ControlKind {
  kLabel,
  kFrame,
  kPictureBox,
  kCheckBox,
  kListBox,
  kScrollBar,
  kButton,
  kTextBox,
  kPictureButton,
};

class Control {
 public:
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind Kind() const { return kind_; }
  const std::string& Name() const { return name_; }
  int Index() const { return index_; }
  bool Is(std::string_view name, int index = kNoIndex) const;
  // "Label1(47)" or "Check4".
  std::string Id() const;
  Window& Owner() const { return owner_; }
  // nullptr when the control sits directly on the window.
  Container* Parent() const { return parent_; }

  // Labels and picture buttons have no window of their own: their container
  // paints them and hit-tests them, and they always lie below the container's
  // windowed children.
  bool IsWindowless() const;
  bool CanTakeFocus() const;
  // List boxes and scroll bars report no mouse events (their own list and
  // arrows handle the mouse); every other kind reports down, move and up.
  bool HasMouseEvents() const;
  bool HasDoubleClick() const;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { Move(left, top_, width_, height_); }
  void SetTop(int top) { Move(left_, top, width_, height_); }
  void SetWidth(int width) { Move(left_, top_, width, height_); }
  void SetHeight(int height) { Move(left_, top_, width_, height); }
  void Move(int left, int top) { Move(left, top, width_, height_); }
  void Move(int left, int top, int width, int height);
  // Whether (x, y), in the container's coordinates, lies on the control.
  bool Contains(int x, int y) const;

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  const std::string& Tooltip() const { return tooltip_; }
  void SetTooltip(std::string tooltip);
  const Pointer& PointerImage() const { return pointer_; }
  void SetPointerImage(Pointer pointer);
  const Font& TextFont() const { return font_; }
  void SetTextFont(Font font);
  void SetFontName(std::string name);
  void SetFontSize(double points);
  void SetBold(bool bold);
  Colour ForeColour() const { return fore_colour_; }
  void SetForeColour(Colour colour);
  Colour BackColour() const { return back_colour_; }
  void SetBackColour(Colour colour);

  // Z-order among the siblings of the same layer (windowed or windowless).
  void BringToFront();
  void SendToBack();
  // Gives this control the keyboard focus (and its GotFocus event). Ignored for
  // kinds that cannot take it and for hidden or disabled controls.
  void SetFocus();

 protected:
  Control(Window& owner, ControlKind kind, std::string name, int index, Container* parent);
  // Tells the renderer; only while the window is loaded.
  void Notify(Change what);
  // Colours a kind starts with, before anyone can observe it.
  void SetDesignColours(Colour fore, Colour back) { fore_colour_ = fore, back_colour_ = back; }
  // The events a value change raises, as the user's change would.
  void RaiseClick();
  void RaiseChange();
  template <class T>
  bool Assign(T& field, T value, Change what) {
    if (field == value) return false;
    field = std::move(value);
    Notify(what);
    return true;
  }

 private:
  Window& owner_;
  ControlKind kind_;
  std::string name_;
  int index_;
  Container* parent_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string tooltip_;
  Pointer pointer_;
  Font font_;
  Colour fore_colour_ = kButtonText;
  Colour back_colour_ = kButtonFace;
};

// A control that holds others: frames and picture boxes.
class Container : public Control {
 public:
  // Bottom first, the control on top last.
  const std::vector<Control*>& Children() const { return children_; }
  // A picture file drawn at the top-left corner; empty for none.
  const std::string& Picture() const { return picture_; }
  void SetPicture(std::string path);
  bool Border() const { return border_; }
  void SetBorder(bool border);

 protected:
  using Control::Control;

 private:
  friend class Window;
  std::vector<Control*> children_;
  std::string picture_;
  bool border_ = false;
};

class Frame : public Container {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

 private:
  friend class Window;
  Frame(Window& owner, std::string name, int index, Container* parent);
  std::string caption_;
};

class PictureBox : public Container {
 public:
  // Drawn over the background and picture, below the box's controls.
  const form::Drawing& Drawing() const { return drawing_; }
  void SetDrawing(form::Drawing drawing);

 private:
  friend class Window;
  PictureBox(Window& owner, std::string name, int index, Container* parent);
  form::Drawing drawing_;
};

// A label never sizes itself to its caption.
class Label : public Control {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  form::Alignment Alignment() const { return alignment_; }
  void SetAlignment(form::Alignment alignment);
  // Transparent: the container's background and picture show around the text.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  // Greyed: the text is drawn in the system's grey-text colour, its own
  // colour kept (and still read and written as the colour); the label still
  // takes the mouse.
  bool Greyed() const { return greyed_; }
  void SetGreyed(bool greyed);

 private:
  friend class Window;
  Label(Window& owner, std::string name, int index, Container* parent);
  std::string caption_;
  form::Alignment alignment_ = form::Alignment::kLeft;
  bool transparent_ = false;
  bool greyed_ = false;
};

class CheckBox : public Control {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  // 1 ticked, 0 not.
  int Value() const { return value_; }
  // Any non-zero value ticks it. A change raises Click, as the user's would;
  // setting the value it already has raises nothing.
  void SetValue(int value);

 private:
  friend class Window;
  CheckBox(Window& owner, std::string name, int index, Container* parent);
  std::string caption_;
  int value_ = 0;
};

class ListBox : public Control {
 public:
  ListStyle Style() const { return style_; }
  void SetStyle(ListStyle style);

  const std::vector<std::string>& Items() const { return items_; }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  // Inserts before `at`, or appends when `at` is out of range.
  void AddItem(std::string text, int at = -1);
  void RemoveItem(int at);
  // Empties the list, the selection and the text, without events.
  void Clear();

  // -1 when nothing is selected.
  int ListIndex() const { return list_index_; }
  // Selects item `index` (-1: none) and shows its text. A change raises Click;
  // false (and nothing changes) when the index is out of range.
  bool SetListIndex(int index);
  const std::string& Text() const { return text_; }
  // Editable combo: the box shows `text` (the selection follows an exactly
  // equal item, else none) and a change raises Change. Drop-down list: selects
  // the item with exactly this text, as SetListIndex; false when there is none.
  bool SetText(std::string text);

 private:
  friend class Window;
  ListBox(Window& owner, std::string name, int index, Container* parent);
  int Find(std::string_view text) const;
  ListStyle style_ = ListStyle::kDropDownList;
  std::vector<std::string> items_;
  int list_index_ = -1;
  std::string text_;
};

// Min may exceed Max (a reversed bar); Value always lies between them.
class ScrollBar : public Control {
 public:
  bool Vertical() const { return vertical_; }
  void SetVertical(bool vertical);
  int Min() const { return min_; }
  int Max() const { return max_; }
  // A range that leaves the value outside moves the value in (raising Change).
  void SetRange(int min, int max);
  void SetMin(int min) { SetRange(min, max_); }
  void SetMax(int max) { SetRange(min_, max); }
  int SmallChange() const { return small_change_; }
  void SetSmallChange(int change);
  int LargeChange() const { return large_change_; }
  void SetLargeChange(int change);
  int Value() const { return value_; }
  // Clamped into the range; a change raises Change.
  void SetValue(int value);
  // The value an action of the user's leads to from the current one.
  int ValueAfter(ScrollAction action, int position) const;

 private:
  friend class Window;
  ScrollBar(Window& owner, std::string name, int index, Container* parent);
  int Clamp(int value) const;
  bool vertical_ = false;
  int min_ = 0, max_ = 32767;
  int small_change_ = 1, large_change_ = 1;
  int value_ = 0;
};

class Button : public Control {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

 private:
  friend class Window;
  Button(Window& owner, std::string name, int index, Container* parent);
  std::string caption_;
};

// A single-line text box.
class TextBox : public Control {
 public:
  const std::string& Text() const { return text_; }
  // A change raises Change.
  void SetText(std::string text);

 private:
  friend class Window;
  TextBox(Window& owner, std::string name, int index, Container* parent);
  std::string text_;
};

// A clickable picture without a window of its own.
class PictureButton : public Control {
 public:
  const std::string& Picture() const { return picture_; }
  void SetPicture(std::string path);

 private:
  friend class Window;
  PictureButton(Window& owner, std::string name, int index, Container* parent);
  std::string picture_;
};

std::string_view KindName(ControlKind kind);

}  // namespace kelvane::form

#include "platform/form/controls.h"

#include <algorithm>

#include "platform/form/window.h"

namespace kelvane::form {

std::string_view KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel:
      return "label";
    case ControlKind::kFrame:
      return "frame";
    case ControlKind::kPictureBox:
      return "picture box";
    case ControlKind::kCheckBox:
      return "check box";
    case ControlKind::kListBox:
      return "list box";
    case ControlKind::kScrollBar:
      return "scroll bar";
    case ControlKind::kButton:
      return "button";
    case ControlKind::kTextBox:
      return "text box";
    case ControlKind::kPictureButton:
      return "picture button";
  }
  return "control";
}

// --- Control -------------------------------------------------------------------

Control::Control(Window& owner, ControlKind kind, std::string name, int index, Container* parent)
    : owner_(owner), kind_(kind), name_(std::move(name)), index_(index), parent_(parent) {}

bool Control::Is(std::string_view name, int index) const {
  return name_ == name && index_ == index;
}

std::string Control::Id() const {
  if (index_ == kNoIndex) return name_;
  return name_ + "(" + std::to_string(index_) + ")";
}

bool Control::IsWindowless() const {
  return kind_ == ControlKind::kLabel || kind_ == ControlKind::kPictureButton;
}

bool Control::CanTakeFocus() const {
  switch (kind_) {
    case ControlKind::kPictureBox:
    case ControlKind::kCheckBox:
    case ControlKind::kListBox:
    case ControlKind::kScrollBar:
    case ControlKind::kButton:
    case ControlKind::kTextBox:
      return true;
    default:
      return false;
  }
}

bool Control::HasMouseEvents() const {
  return kind_ != ControlKind::kListBox && kind_ != ControlKind::kScrollBar;
}

bool Control::HasDoubleClick() const {
  switch (kind_) {
    case ControlKind::kLabel:
    case ControlKind::kFrame:
    case ControlKind::kPictureBox:
    case ControlKind::kTextBox:
    case ControlKind::kPictureButton:
      return true;
    default:  // a second press on a check box or button is a second click
      return false;
  }
}

void Control::Move(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left, top_ = top, width_ = width, height_ = height;
  Notify(Change::kBounds);
}

bool Control::Contains(int x, int y) const {
  return x >= left_ && x < left_ + width_ && y >= top_ && y < top_ + height_;
}

void Control::SetVisible(bool visible) {
  Assign(visible_, visible, Change::kVisible);
}
void Control::SetEnabled(bool enabled) {
  Assign(enabled_, enabled, Change::kEnabled);
}
void Control::SetTooltip(std::string tooltip) {
  Assign(tooltip_, std::move(tooltip), Change::kTooltip);
}
void Control::SetPointerImage(Pointer pointer) {
  Assign(pointer_, std::move(pointer), Change::kPointer);
}
void Control::SetTextFont(Font font) {
  Assign(font_, std::move(font), Change::kFont);
}
void Control::SetFontName(std::string name) {
  Font font = font_;
  font.name = std::move(name);
  SetTextFont(std::move(font));
}
void Control::SetFontSize(double points) {
  Font font = font_;
  font.size = points;
  SetTextFont(std::move(font));
}
void Control::SetBold(bool bold) {
  Font font = font_;
  font.bold = bold;
  SetTextFont(std::move(font));
}
void Control::SetForeColour(Colour colour) {
  Assign(fore_colour_, colour, Change::kForeColour);
}
void Control::SetBackColour(Colour colour) {
  Assign(back_colour_, colour, Change::kBackColour);
}

void Control::BringToFront() {
  owner_.Restack(*this, true);
}
void Control::SendToBack() {
  owner_.Restack(*this, false);
}
void Control::SetFocus() {
  owner_.SetFocusTo(*this);
}

void Control::Notify(Change what) {
  owner_.NotifyControl(*this, what);
}
void Control::RaiseClick() {
  owner_.RaiseClick(this);
}
void Control::RaiseChange() {
  owner_.RaiseChange(*this);
}

// --- containers ------------------------------------------------------------------

void Container::SetPicture(std::string path) {
  Assign(picture_, std::move(path), Change::kPicture);
}
void Container::SetBorder(bool border) {
  Assign(border_, border, Change::kBorder);
}

Frame::Frame(Window& owner, std::string name, int index, Container* parent)
    : Container(owner, ControlKind::kFrame, std::move(name), index, parent) {}
void Frame::SetCaption(std::string caption) {
  Assign(caption_, std::move(caption), Change::kCaption);
}

PictureBox::PictureBox(Window& owner, std::string name, int index, Container* parent)
    : Container(owner, ControlKind::kPictureBox, std::move(name), index, parent) {}
void PictureBox::SetDrawing(form::Drawing drawing) {
  Assign(drawing_, std::move(drawing), Change::kDrawing);
}

// --- label, check box, button, text box, picture button ----------------------------

Label::Label(Window& owner, std::string name, int index, Container* parent)
    : Control(owner, ControlKind::kLabel, std::move(name), index, parent) {}
void Label::SetCaption(std::string caption) {
  Assign(caption_, std::move(caption), Change::kCaption);
}
void Label::SetAlignment(form::Alignment alignment) {
  Assign(alignment_, alignment, Change::kAlignment);
}
void Label::SetTransparent(bool transparent) {
  Assign(transparent_, transparent, Change::kTransparent);
}
void Label::SetGreyed(bool greyed) {
  Assign(greyed_, greyed, Change::kForeColour);
}

CheckBox::CheckBox(Window& owner, std::string name, int index, Container* parent)
    : Control(owner, ControlKind::kCheckBox, std::move(name), index, parent) {}
void CheckBox::SetCaption(std::string caption) {
  Assign(caption_, std::move(caption), Change::kCaption);
}
void CheckBox::SetValue(int value) {
  if (Assign(value_, value != 0 ? 1 : 0, Change::kValue)) RaiseClick();
}

Button::Button(Window& owner, std::string name, int index, Container* parent)
    : Control(owner, ControlKind::kButton, std::move(name), index, parent) {}
void Button::SetCaption(std::string caption) {
  Assign(caption_, std::move(caption), Change::kCaption);
}

TextBox::TextBox(Window& owner, std::string name, int index, Container* parent)
    : Control(owner, ControlKind::kTextBox, std::move(name), index, parent) {
  SetDesignColours(kWindowText, kWindowBackground);
}
void TextBox::SetText(std::string text) {
  if (Assign(text_, std::move(text), Change::kText)) RaiseChange();
}

PictureButton::PictureButton(Window& owner, std::string name, int index, Container* parent)
    : Control(owner, ControlKind::kPictureButton, std::move(name), index, parent) {}
void PictureButton::SetPicture(std::string path) {
  Assign(picture_, std::move(path), Change::kPicture);
}

// --- list box ------------------------------------------------------------------------

ListBox::ListBox(Window& owner, std::string name, int index, Container* parent)
    : Control(owner, ControlKind::kListBox, std::move(name), index, parent) {
  SetDesignColours(kWindowText, kWindowBackground);
}

void ListBox::SetStyle(ListStyle style) {
  Assign(style_, style, Change::kStyle);
}

int ListBox::Find(std::string_view text) const {
  auto it = std::find(items_.begin(), items_.end(), text);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void ListBox::AddItem(std::string text, int at) {
  if (at < 0 || at > ItemCount()) at = ItemCount();
  items_.insert(items_.begin() + at, std::move(text));
  Notify(Change::kItems);
  // The selected item keeps its selection wherever it moved to.
  if (list_index_ >= at) {
    ++list_index_;
    Notify(Change::kListIndex);
  }
}

void ListBox::RemoveItem(int at) {
  if (at < 0 || at >= ItemCount()) return;
  items_.erase(items_.begin() + at);
  Notify(Change::kItems);
  if (list_index_ == at) {
    list_index_ = -1;
    Notify(Change::kListIndex);
    if (style_ == ListStyle::kDropDownList) Assign(text_, std::string(), Change::kText);
  } else if (list_index_ > at) {
    --list_index_;
    Notify(Change::kListIndex);
  }
}

void ListBox::Clear() {
  if (!items_.empty()) {
    items_.clear();
    Notify(Change::kItems);
  }
  Assign(list_index_, -1, Change::kListIndex);
  Assign(text_, std::string(), Change::kText);
}

bool ListBox::SetListIndex(int index) {
  if (index < -1 || index >= ItemCount()) return false;
  if (index == list_index_) return true;
  list_index_ = index;
  Notify(Change::kListIndex);
  Assign(text_, index >= 0 ? items_[index] : std::string(), Change::kText);
  RaiseClick();
  return true;
}

bool ListBox::SetText(std::string text) {
  if (style_ == ListStyle::kDropDownList) {
    int found = Find(text);
    return found >= 0 && SetListIndex(found);
  }
  Assign(list_index_, Find(text), Change::kListIndex);
  if (Assign(text_, std::move(text), Change::kText)) RaiseChange();
  return true;
}

// --- scroll bar ----------------------------------------------------------------------

ScrollBar::ScrollBar(Window& owner, std::string name, int index, Container* parent)
    : Control(owner, ControlKind::kScrollBar, std::move(name), index, parent) {}

void ScrollBar::SetVertical(bool vertical) {
  Assign(vertical_, vertical, Change::kStyle);
}

int ScrollBar::Clamp(int value) const {
  return std::clamp(value, std::min(min_, max_), std::max(min_, max_));
}

void ScrollBar::SetRange(int min, int max) {
  if (min == min_ && max == max_) return;
  min_ = min, max_ = max;
  Notify(Change::kRange);
  SetValue(value_);
}

void ScrollBar::SetSmallChange(int change) {
  Assign(small_change_, change, Change::kRange);
}
void ScrollBar::SetLargeChange(int change) {
  Assign(large_change_, change, Change::kRange);
}

void ScrollBar::SetValue(int value) {
  if (Assign(value_, Clamp(value), Change::kValue)) RaiseChange();
}

int ScrollBar::ValueAfter(ScrollAction action, int position) const {
  const int towards_max = max_ >= min_ ? 1 : -1;
  long long v = value_;
  switch (action) {
    case ScrollAction::kLineLess:
      v -= static_cast<long long>(small_change_) * towards_max;
      break;
    case ScrollAction::kLineMore:
      v += static_cast<long long>(small_change_) * towards_max;
      break;
    case ScrollAction::kPageLess:
      v -= static_cast<long long>(large_change_) * towards_max;
      break;
    case ScrollAction::kPageMore:
      v += static_cast<long long>(large_change_) * towards_max;
      break;
    case ScrollAction::kTo:
      v = position;
      break;
  }
  const long long lo = std::min(min_, max_), hi = std::max(min_, max_);
  return static_cast<int>(std::clamp(v, lo, hi));
}

}  // namespace kelvane::form

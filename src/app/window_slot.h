// A window of the program that is made when it is asked for and released
// when it closes: the object while its window is loaded, else nothing.
#pragma once

#include <memory>
#include <utility>

namespace kelvane {

// `T` has `form::Window& Window()`.
template <class T>
class WindowSlot {
 public:
  // The object while its window is loaded; nullptr before it is made, and
  // once the window was unloaded (a released window is gone).
  T* Get() const { return object_ && object_->Window().Loaded() ? object_.get() : nullptr; }
  bool Visible() const { return Get() && object_->Window().Visible(); }
  // Takes a newly made object, letting go of one whose window was unloaded.
  T& Hold(std::unique_ptr<T> object) {
    object_ = std::move(object);
    return *object_;
  }
  // Unloads the window (its unload saves what it keeps) and releases it.
  void Release() {
    if (!object_) return;
    object_->Window().Unload();
    object_.reset();
  }

 private:
  std::unique_ptr<T> object_;
};

}  // namespace kelvane

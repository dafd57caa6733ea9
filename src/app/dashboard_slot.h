// What the two dashboards have alike in the program: each is made when it is
// first asked for (and loaded, hidden), shown from its menu command or at
// start-up when the user asked for that, fed the freshness of each tick,
// released at shut-down in its place, and never made once the shut-down has
// begun.
#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "app/app_context.h"
#include "app/window_slot.h"

namespace kelvane {

// `T` has `form::Window& Window()`, `void Show()` and `void ShowStale(bool)`.
template <class T>
class DashboardSlot {
 public:
  struct Rows {
    MainCommand show;         // the menu command that shows and releases it
    bool Options::*at_start;  // the user's "show at start-up"
    int start_rank;           // its place in the start-up (start_rank)
    int close_rank;           // its place in the shut-down (close_rank)
  };

  DashboardSlot(AppContext& program, Rows rows, std::function<std::unique_ptr<T>()> make)
      : program_(program), rows_(rows), make_(std::move(make)) {}

  // Registers the start-up step, the closer and the freshness of each tick.
  void Wire() {
    program_.AddStartStep(rows_.start_rank, [this] {
      if (!(program_.CurrentOptions().*rows_.at_start)) return;
      program_.Menu(rows_.show).SetChecked(true);
      if (T* window = MakeOrGet()) window->Show();
      program_.Platform().loop.YieldToMessages();
    });
    program_.AddCloser(rows_.close_rank, [this] { Release(); });
    program_.OnTick(TickStage::kFreshness, [this] {
      if (T* window = Get()) window->ShowStale(program_.State().stale);
    });
  }

  // The window while it is loaded (hidden or shown); nullptr otherwise.
  T* Get() const { return slot_.Get(); }
  bool Visible() const { return slot_.Visible(); }
  // The window, made and loaded (hidden) when none is loaded; nullptr once the
  // shut-down has begun (a window made then would never be saved or closed),
  // or when a shut-down during its load released it again.
  T* MakeOrGet() {
    if (T* window = Get()) return window;
    if (!program_.Running()) return nullptr;
    slot_.Hold(make_()).Window().Load();
    // The load yields.
    return Get();
  }
  // Unloads the window (saving what it keeps) and releases it.
  void Release() { slot_.Release(); }
  // The show command: ticks its item and shows the window, or unticks it and
  // releases the window. The window once shown, else nullptr.
  T* ToggleFromMenu() {
    form::MenuItem& show = program_.Menu(rows_.show);
    show.SetChecked(!show.Checked());
    if (!show.Checked()) {
      Release();
      return nullptr;
    }
    return ShowNow();
  }
  // Made when needed and shown; nullptr when the program ended meanwhile.
  T* ShowNow() {
    if (T* window = MakeOrGet()) window->Show();
    // Showing yields: anything may have happened to the window meanwhile.
    return Get();
  }

 private:
  AppContext& program_;
  const Rows rows_;
  std::function<std::unique_ptr<T>()> make_;
  WindowSlot<T> slot_;
};

}  // namespace kelvane

// The colour editor as one dashboard sees it. The program gives each dashboard
// a link of its own, which knows the dashboard it speaks for; the one editor
// works on whichever dashboard targeted it last.
#pragma once

#include "platform/form/window.h"

namespace kelvane::appearance {

class ColourEditorLink {
 public:
  virtual ~ColourEditorLink() = default;
  // Whether the editor shows (loaded and visible).
  virtual bool Open() = 0;
  // The colour a press on a label or tile paints with; 0 while there is no editor.
  virtual form::Colour Colour() = 0;
  // Whether the editor works on this link's dashboard.
  virtual bool TargetsThis() = 0;
  // The editor works on this link's dashboard from now on.
  virtual void TargetThis() = 0;
  // Shows the editor beside `window`, loading it when needed.
  virtual void ShowBeside(form::Window& window) = 0;
  // Stops its picker and unloads it, when it is loaded.
  virtual void Close() = 0;

  // A dashboard that closes or unloads takes the editor with it when the
  // editor works on it and shows.
  void CloseIfOnThis() {
    if (Open() && TargetsThis()) Close();
  }
};

}  // namespace kelvane::appearance

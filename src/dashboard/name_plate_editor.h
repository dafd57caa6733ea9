// The name plate editor: renames one of the dashboard's five temperature and
// fan plates, and the plate of the same meter on the High/Low/Avg dashboard.
// It opens beside the dashboard, for the plate that was double-clicked, and
// keeps editing that plate until it closes.
#pragma once

#include <memory>

#include "dashboard/digital_dashboard.h"
#include "platform/form/form.h"

namespace kelvane::dashboard {

class NamePlateEditor : public form::WindowHandler {
 public:
  // The dashboard owns the editor and outlives it.
  NamePlateEditor(platform::Platform& platform, DigitalDashboard& dashboard, DashboardHost& host);
  ~NamePlateEditor() override;
  NamePlateEditor(const NamePlateEditor&) = delete;
  NamePlateEditor& operator=(const NamePlateEditor&) = delete;

  form::Window& Window() { return window_; }
  form::TextBox& NameBox() const { return *name_; }
  form::Button& OkButton() const { return *ok_; }
  form::Button& CancelButton() const { return *cancel_; }
  // The dashboard label being renamed.
  int PlateIndex() const { return plate_index_; }

  // OK: a new, non-empty name goes on both dashboards and into the store; the
  // editor closes either way.
  void Accept();

  // --- form::WindowHandler ---
  void OnLoad() override;
  void OnClick(form::Control* control) override;
  void OnKeyPress(form::Control* control, int& char_code) override;

 private:
  platform::Platform& p_;
  DigitalDashboard& dashboard_;
  DashboardHost& host_;
  form::Window window_;
  Settings settings_;
  form::TextBox* name_ = nullptr;
  form::Button* ok_ = nullptr;
  form::Button* cancel_ = nullptr;
  int plate_index_ = 0;
};

}  // namespace kelvane::dashboard

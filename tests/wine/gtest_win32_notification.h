// Forced into every GoogleTest unit of the wine suite (-include).
//
// GoogleTest's Notification is built on std::mutex, which MinGW's gcc 12 does not
// have in its win32 thread model. This one, on a manual-reset event, takes its
// place; GTEST_HAS_NOTIFICATION_ tells GoogleTest to use it.
#pragma once

#include <windows.h>

namespace testing::internal {

class Notification {
 public:
  Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal

#define GTEST_HAS_NOTIFICATION_ 1

#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "SequenceCheck.h"

// Runs one check on a thread of its own for a window. Frames judged wait in
// a queue, and the window hears of them by one posted message however many
// wait, so a fast check cannot flood the window's queue; no pointer travels
// in the message. The window takes what waits when the message comes.
class CheckWorker {
 public:
  struct Findings {
    std::vector<std::pair<int32_t, FrameMark>> judged;
    // Once the check is over: its outcome, or why there is none.
    bool bEnded = false;
    std::optional<CheckOutcome> outcome;
    bool bCancelled = false;
    std::string strFailure;
  };

  // Starts the check of the plan CheckRequestPossible gave at once; nMessage
  // goes to hWnd whenever findings wait.
  CheckWorker(CheckRequest request, CheckOutcome plan, HWND hWnd, UINT nMessage);
  // Stop()s.
  ~CheckWorker();
  CheckWorker(const CheckWorker&) = delete;
  CheckWorker& operator=(const CheckWorker&) = delete;

  // Asks the check to stop; it ends cancelled after the frames in hand.
  void Cancel() { m_bCancel = true; }
  // Cancels and waits for the thread: afterwards nothing more is posted.
  void Stop();
  // What arrived since the last call.
  Findings Take();

 private:
  void Run(const CheckRequest& request, CheckOutcome plan);
  void Publish(const std::function<void(Findings&)>& add);

  const HWND m_hWnd;
  const UINT m_nMessage;
  std::atomic<bool> m_bCancel{false};
  std::mutex m_mutex;
  Findings m_waiting;        // under m_mutex
  bool m_bPosted = false;    // under m_mutex: a message is on its way
  std::thread m_thread;      // last, so that it starts with everything above in place
};

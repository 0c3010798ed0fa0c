#include "CheckWorker.h"

#include <new>

CheckWorker::CheckWorker(CheckRequest request, CheckOutcome plan, HWND hWnd, UINT nMessage)
    : m_hWnd(hWnd),
      m_nMessage(nMessage),
      m_thread([this, request = std::move(request), plan = std::move(plan)]() mutable { Run(request, std::move(plan)); }) {}

CheckWorker::~CheckWorker() { Stop(); }

void CheckWorker::Stop() {
  Cancel();
  if (m_thread.joinable()) m_thread.join();
}

CheckWorker::Findings CheckWorker::Take() {
  const std::lock_guard lock(m_mutex);
  m_bPosted = false;
  return std::exchange(m_waiting, Findings{});
}

// The message is posted under the lock so that Take cannot clear the flag
// between the post and its being set.
void CheckWorker::Publish(const std::function<void(Findings&)>& add) {
  const std::lock_guard lock(m_mutex);
  add(m_waiting);
  if (!m_bPosted) m_bPosted = ::PostMessageW(m_hWnd, m_nMessage, 0, 0) != FALSE;
}

// Nothing may leave the thread as an exception: it would end the program.
void CheckWorker::Run(const CheckRequest& request, CheckOutcome plan) {
  Findings end;
  end.bEnded = true;
  try {
    CheckProgress progress;
    progress.pCancel = &m_bCancel;
    // It must not throw: a mark that finds no memory is left out here, and
    // comes with the finished report.
    progress.onFrameJudged = [this](int32_t nFrame, FrameMark mark) {
      try {
        Publish([&](Findings& f) { f.judged.emplace_back(nFrame, mark); });
      } catch (const std::exception&) {
      }
    };
    end.outcome = CheckSequence(request, std::move(plan), progress);
  } catch (const CheckCancelled&) {
    end.bCancelled = true;
  } catch (const std::bad_alloc&) {
    end.strFailure = "not enough memory for the check";
  } catch (const std::exception& e) {
    end.strFailure = e.what();
  } catch (...) {
    end.strFailure = "the check failed";
  }
  Publish([&](Findings& f) {
    f.bEnded = true;
    f.outcome = std::move(end.outcome);
    f.bCancelled = end.bCancelled;
    f.strFailure = std::move(end.strFailure);
  });
}

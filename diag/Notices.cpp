#include "diag/Notices.h"

#include <deque>
#include <mutex>
#include <set>

namespace bm {

namespace {

struct Queue {
  std::mutex mutex;
  std::set<std::string> keys;
  std::deque<Wording> waiting;
  Wording shown;
  double shownSince = -1;  // the clock when the front one first showed
};

Queue& TheQueue() {
  static Queue q;
  return q;
}

}  // namespace

void RaiseNotice(const std::string& key, const Wording& text) {
  Queue& q = TheQueue();
  std::lock_guard lock(q.mutex);
  if (!q.keys.insert(key).second) return;
  q.waiting.push_back(text);
}

Wording CurrentNotice(double nowMs, bool* changed) {
  Queue& q = TheQueue();
  std::lock_guard lock(q.mutex);
  const Wording before = q.shown;
  if (!q.waiting.empty() && q.shownSince >= 0 && nowMs - q.shownSince >= kNoticeShownMs) {
    q.waiting.pop_front();
    q.shownSince = -1;
  }
  if (!q.waiting.empty() && q.shownSince < 0) q.shownSince = nowMs;
  q.shown = q.waiting.empty() ? Wording() : q.waiting.front();
  if (changed) *changed = q.shown != before;
  return q.shown;
}

Wording ShownNotice() {
  Queue& q = TheQueue();
  std::lock_guard lock(q.mutex);
  return q.shown;
}

void ClearNotices() {
  Queue& q = TheQueue();
  std::lock_guard lock(q.mutex);
  q.keys.clear();
  q.waiting.clear();
  q.shown = Wording();
  q.shownSince = -1;
}

}  // namespace bm

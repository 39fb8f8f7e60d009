// The page's loop. The browser calls one pass of the program at a time; each
// pass says when the next one is due, and nothing runs in between: a still
// screen costs no frame. Passes run on animation frames; one due later waits
// on a timer first; every input event brings the next pass to the next frame.
// After a pass that wrote a file or a log line the data folder is copied to the
// browser's persistent storage.
//
// When the page goes away (a reload, another address, the tab closed) the
// program is asked to close as at a window's close box (PageClosing), its
// passes run at once until it ends, and what it wrote since the last copy is
// kept in the page's synchronous storage, which a closing page can still
// write; the next start puts it back (page_pre.js).
#pragma once
#include <functional>
#include <limits>

namespace bm {

class Clock;

struct PassResult {
  bool finished = false;  // the program ended: no more passes
  // The clock time (ms) the next pass is due; infinity: only when an event comes.
  double nextDueMs = std::numeric_limits<double>::infinity();
};

// Starts the passes and returns at once; the browser calls them from now on.
void RunPasses(Clock& clock, std::function<PassResult()> pass);

// An event came: the next pass runs at the next animation frame.
void WakePasses();

// True once the page is going away: the program closes.
bool PageClosing();

}  // namespace bm

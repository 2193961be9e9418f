// The queue of automation steps, the same for every backend. Steps run from the event loop, one per
// turn; each step arranges the next turn before it runs, so a step that blocks in a nested loop lets
// the next one run inside it.
#pragma once

namespace platform::automation::steps {

// Runs the first waiting step. The backend calls it from each turn it was asked for.
void RunNext();

// While automation itself lets events through (a press and its release, say), no step starts inside
// it: the held turn comes back a moment later.
class Hold {
 public:
  Hold();
  ~Hold();
  Hold(const Hold&) = delete;
  Hold& operator=(const Hold&) = delete;
};

// Supplied by each backend: has its event loop call RunNext() once, after `delayMs` milliseconds
// (0: as soon as the events waiting now are handled).
void PostTurn(int delayMs);

}  // namespace platform::automation::steps

#include "platform/automation_steps.h"

#include <deque>

#include "platform/automation.h"

namespace platform::automation {
namespace {

constexpr int kHeldTurnDelayMs = 1;

struct StepQueue {
  std::deque<std::function<void()>> steps;
  bool turnPosted = false;
  int holds = 0;
};

StepQueue& Queue() {
  static StepQueue queue;
  return queue;
}

void ScheduleNext() {
  StepQueue& queue = Queue();
  if (queue.turnPosted || queue.steps.empty()) return;
  queue.turnPosted = true;
  steps::PostTurn(0);
}

}  // namespace

namespace steps {

void RunNext() {
  StepQueue& queue = Queue();
  queue.turnPosted = false;
  if (queue.steps.empty()) return;
  if (queue.holds > 0) {
    // A later turn, so the events being handled now do not spin on this one.
    queue.turnPosted = true;
    PostTurn(kHeldTurnDelayMs);
    return;
  }
  std::function<void()> step = std::move(queue.steps.front());
  queue.steps.pop_front();
  ScheduleNext();
  step();
}

Hold::Hold() {
  ++Queue().holds;
}

Hold::~Hold() {
  --Queue().holds;
}

}  // namespace steps

void Then(std::function<void()> step) {
  Queue().steps.push_back(std::move(step));
  ScheduleNext();
}

std::size_t PendingSteps() {
  return Queue().steps.size();
}

void ClearSteps() {
  Queue().steps.clear();
}

}  // namespace platform::automation

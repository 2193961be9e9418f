// Start-up cost as a person sees it: from exec to the first painted frame of the program's window, and
// the process's peak memory by then. Run under an X server (scripts/bench-startup.sh starts Xvfb):
//   kalvor_startup_bench --kalvor=PATH --folder=DIR [--peer="gsimplecal"] [--runs=N]
// It measures Kalvor and, in the same run, a peer calendar program, and prints both medians and the
// ratios; and how long Kalvor started again in the folder where it runs takes to end.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kGiveUpSeconds = 15.0;
constexpr int kSampleRows = 16;  // rows read per poll to tell a painted window from a blank one

struct Sample {
  double firstFrameMs = 0;
  double peakMiB = 0;
};

struct Options {
  std::string kalvor;
  std::string folder;
  std::string peer;
  int runs = 10;
};

Options options;
std::vector<Sample> kalvorSamples;
std::vector<Sample> peerSamples;

std::optional<long> WindowPid(Display* display, Window window) {
  const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
  if (pidAtom == None) return std::nullopt;
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                         &data) != Success ||
      data == nullptr || count == 0) {
    if (data) XFree(data);
    return std::nullopt;
  }
  const long pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
  XFree(data);
  return pid;
}

// True once the window shows more than one colour: the toolkit has presented a frame.
bool Painted(Display* display, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) return false;
  unsigned long first = 0;
  bool haveFirst = false;
  for (int i = 0; i < kSampleRows; ++i) {
    const int y = attributes.height * (2 * i + 1) / (2 * kSampleRows);
    XImage* row = XGetImage(display, window, 0, y, attributes.width, 1, AllPlanes, ZPixmap);
    if (!row) return false;
    for (int x = 0; x < attributes.width; ++x) {
      const unsigned long pixel = XGetPixel(row, x, 0);
      if (!haveFirst) {
        first = pixel;
        haveFirst = true;
      } else if (pixel != first) {
        XDestroyImage(row);
        return true;
      }
    }
    XDestroyImage(row);
  }
  return false;
}

pid_t Launch(const std::vector<std::string>& command, const std::string& folder) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(127);
    std::vector<char*> argv;
    for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

// Ends the program politely, and for good if it will not go; returns what it used.
rusage Stop(pid_t pid) {
  constexpr int kPoliteWaits = 200;  // of 5 ms each
  kill(pid, SIGTERM);
  rusage usage{};
  int status = 0;
  for (int wait = 0; wait < kPoliteWaits; ++wait) {
    if (wait4(pid, &status, WNOHANG, &usage) == pid) return usage;
    usleep(5000);
  }
  kill(pid, SIGKILL);
  wait4(pid, &status, 0, &usage);
  return usage;
}

// One connection for every run: opening a fresh one right after a watched program was killed is
// sometimes refused by the server.
Display* display = nullptr;

struct Launched {
  pid_t pid = -1;
  std::optional<double> firstFrameMs;  // nullopt: no painted window within the time limit
};

// Starts the program and waits until its window shows a painted frame.
Launched LaunchUntilPainted(const std::vector<std::string>& command, const std::string& folder) {
  XSync(display, True);  // forget the events of earlier runs
  const Clock::time_point start = Clock::now();
  Launched launched{Launch(command, folder), std::nullopt};
  std::vector<Window> candidates;
  while (!launched.firstFrameMs && std::chrono::duration<double>(Clock::now() - start).count() < kGiveUpSeconds) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && !event.xmap.override_redirect) candidates.push_back(event.xmap.window);
    }
    for (Window window : candidates) {
      const std::optional<long> owner = WindowPid(display, window);
      if (owner && *owner != launched.pid) continue;
      if (Painted(display, window)) {
        launched.firstFrameMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        break;
      }
    }
    if (!launched.firstFrameMs) usleep(500);
  }
  return launched;
}

std::optional<Sample> MeasureOnce(const std::vector<std::string>& command, const std::string& folder) {
  const Launched launched = LaunchUntilPainted(command, folder);
  const rusage usage = Stop(launched.pid);
  if (!launched.firstFrameMs) return std::nullopt;
  return Sample{*launched.firstFrameMs, usage.ru_maxrss / 1024.0};
}

// From exec until a start in a folder that a running copy holds has ended by itself, with exit code 0;
// nullopt when it did not.
std::optional<double> TimeSecondStart(const std::vector<std::string>& command, const std::string& folder) {
  const Clock::time_point start = Clock::now();
  const pid_t pid = Launch(command, folder);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) != pid) {
    if (std::chrono::duration<double>(Clock::now() - start).count() >= kGiveUpSeconds) {
      Stop(pid);
      return std::nullopt;
    }
    usleep(200);
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

void Measure(benchmark::State& state, const std::vector<std::string>& command, const std::string& folder,
             std::vector<Sample>& samples) {
  for (auto _ : state) {
    const std::optional<Sample> sample = MeasureOnce(command, folder);
    if (!sample) {
      state.SkipWithError("no painted window within the time limit");
      return;
    }
    samples.push_back(*sample);
    state.SetIterationTime(sample->firstFrameMs / 1000.0);
    state.counters["peak_MiB"] = sample->peakMiB;
  }
}

std::vector<double> secondStartMs;

// Kalvor started again in the folder where it runs: the second copy brings the first forward and ends.
void KalvorSecondStart(benchmark::State& state) {
  const Launched first = LaunchUntilPainted({options.kalvor}, options.folder);
  if (!first.firstFrameMs) {
    Stop(first.pid);
    state.SkipWithError("the first copy showed no window within the time limit");
    return;
  }
  for (auto _ : state) {
    const std::optional<double> ms = TimeSecondStart({options.kalvor}, options.folder);
    if (!ms) {
      state.SkipWithError("the second start did not end by itself with exit code 0");
      break;
    }
    secondStartMs.push_back(*ms);
    state.SetIterationTime(*ms / 1000.0);
  }
  Stop(first.pid);
}

void KalvorStartup(benchmark::State& state) { Measure(state, {options.kalvor}, options.folder, kalvorSamples); }
void PeerStartup(benchmark::State& state) { Measure(state, Words(options.peer), "", peerSamples); }

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double MedianOf(const std::vector<Sample>& samples, double Sample::*field) {
  std::vector<double> values;
  for (const Sample& sample : samples) values.push_back(sample.*field);
  return Median(values);
}

void PrintSummary() {
  const double kalvorMs = MedianOf(kalvorSamples, &Sample::firstFrameMs);
  const double kalvorMiB = MedianOf(kalvorSamples, &Sample::peakMiB);
  std::printf("\nKalvor: median %.1f ms to the first frame, %.1f MiB peak (%zu runs)\n", kalvorMs, kalvorMiB,
              kalvorSamples.size());
  if (!secondStartMs.empty()) {
    std::printf("Kalvor started again in the same folder: median %.1f ms until it ended (%zu runs)\n",
                Median(secondStartMs), secondStartMs.size());
  }
  if (peerSamples.empty()) return;
  const double peerMs = MedianOf(peerSamples, &Sample::firstFrameMs);
  const double peerMiB = MedianOf(peerSamples, &Sample::peakMiB);
  std::printf("%s: median %.1f ms to the first frame, %.1f MiB peak (%zu runs)\n", options.peer.c_str(), peerMs,
              peerMiB, peerSamples.size());
  std::printf("ratio Kalvor / peer: time %.2f, memory %.2f\n", kalvorMs / peerMs, kalvorMiB / peerMiB);
}

bool TakeOption(const char* argument, const char* name, std::string& value) {
  const std::size_t length = std::strlen(name);
  if (std::strncmp(argument, name, length) != 0) return false;
  value = argument + length;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> rest = {argv[0]};
  for (int i = 1; i < argc; ++i) {
    std::string runs;
    if (TakeOption(argv[i], "--kalvor=", options.kalvor) || TakeOption(argv[i], "--folder=", options.folder) ||
        TakeOption(argv[i], "--peer=", options.peer)) {
      continue;
    }
    if (TakeOption(argv[i], "--runs=", runs)) {
      options.runs = std::max(1, std::atoi(runs.c_str()));
      continue;
    }
    rest.push_back(argv[i]);
  }
  if (options.kalvor.empty() || options.folder.empty()) {
    std::fprintf(stderr, "usage: %s --kalvor=PATH --folder=DIR [--peer=COMMAND] [--runs=N]\n", argv[0]);
    return 2;
  }
  display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "%s: cannot open the X display (is DISPLAY set?)\n", argv[0]);
    return 2;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  benchmark::RegisterBenchmark("KalvorStartup", KalvorStartup)
      ->UseManualTime()
      ->Iterations(options.runs)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("KalvorSecondStart", KalvorSecondStart)
      ->UseManualTime()
      ->Iterations(options.runs)
      ->Unit(benchmark::kMillisecond);
  if (!options.peer.empty()) {
    benchmark::RegisterBenchmark("PeerStartup", PeerStartup)
        ->UseManualTime()
        ->Iterations(options.runs)
        ->Unit(benchmark::kMillisecond);
  }
  int restCount = static_cast<int>(rest.size());
  benchmark::Initialize(&restCount, rest.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintSummary();
  XCloseDisplay(display);
  return kalvorSamples.empty() ? 1 : 0;
}

// A long random session through the real windows. A seeded generator picks thousands of user actions:
// clicks anywhere on the calendar, the menu commands, the file-name dialog, the favourite-colours
// dialog and its chooser, message boxes answered either way, and calendar clicks while any of those is
// open. A model of what the user should see is checked along the way: the colour of every day, the
// palette, the open windows and messages, and the three files. At the end the next start must bring
// back exactly the recorded marks. A failure names the seed and the actions before it, so the same
// session can be played again.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "app/text_tables.h"
#include "colours/colour_dialog.h"
#include "colours/favourites_file.h"
#include "mainwindow/file_name_dialog.h"
#include "mainwindow/main_commands.h"
#include "tests/e2e/main_window_steps.h"

namespace kalvor::testing {
namespace {

using platform::Colour;
using platform::MouseKind;
using platform::Window;

// A session that has not ended by then is stuck: say where, and stop rather than hang.
constexpr std::chrono::seconds kStuckAfter{240};

// The calendar view's drawing surface (the view less its 1-pixel border).
constexpr int kViewWidth = 1193;
constexpr int kViewHeight = 693;
constexpr int kDaysPerSlot = 31;
constexpr int kRowHeight = 30;
constexpr int kFirstDayLeft = 222;
constexpr int kCellSide = 30;

// The colour dialog.
constexpr int kPaletteWidth = 334;
constexpr int kPaletteHeight = 258;
constexpr int kGridColumns = 13;
constexpr int kGridRows = 10;
constexpr int kGridCells = kGridColumns * kGridRows;
constexpr int kPitch = 25;       // a grid cell's side
constexpr int kSwatchStart = 4;  // a swatch's first pixel from its cell's corner
constexpr int kSwatchSide = 22;
constexpr Colour kChooserInitial = 0x808080;

// The files.
constexpr std::size_t kMarkRecordSize = 28;
constexpr std::size_t kMarksPerMonthBytes = 868;
constexpr std::size_t kFavouriteRecords = kGridCells;
constexpr std::size_t kFavouritesFileSize = 3120;
constexpr std::size_t kSettingsFileSize = 32;
constexpr std::size_t kBitmapFileSize = 2480994;
constexpr std::size_t kBitmapPixelsAt = 54;
constexpr std::size_t kBitmapStride = 3580;

constexpr int kCheckEvery = 20;       // actions between two full checks
constexpr std::size_t kMaxLoops = 3;  // windows, choosers and messages open at once
constexpr std::size_t kLogLength = 40;
constexpr int kMaxWindDownSteps = 50;

struct SoakRun {
  const char* name;
  Settings settings;
  std::uint32_t seed;
  int actions;
};

std::ostream& operator<<(std::ostream& out, const SoakRun& run) {
  return out << run.name;
}

// Where the drawing puts each day: a year row first and before every January, then one 30-pixel row
// per month whose day d spans x = 222 + 30 (d - 1) .. + 29, all four edges belonging to the day.
struct DayPlace {
  bool real = false;
  int left = 0, top = 0, right = 0, bottom = 0;
  int weekday = 0;  // 1 Monday .. 7 Sunday
};

std::vector<DayPlace> LayOut(const Settings& settings) {
  namespace chr = std::chrono;
  std::vector<DayPlace> days(static_cast<std::size_t>(settings.monthCount) * kDaysPerSlot);
  int year = yearTable(settings.startYearIndex);
  int month = settings.startMonth;
  int rowTop = kRowHeight;  // below the first year row
  for (int slot = 1; slot <= settings.monthCount; ++slot) {
    if (slot > 1 && month == 1) rowTop += kRowHeight;
    const chr::year_month ym{chr::year{year}, chr::month{static_cast<unsigned>(month)}};
    const int length =
        static_cast<int>(static_cast<unsigned>(chr::year_month_day_last{ym / chr::last}.day()));
    const chr::weekday first{chr::sys_days{ym / chr::day{1}}};
    for (int d = 1; d <= length; ++d) {
      DayPlace& day = days[static_cast<std::size_t>(slot - 1) * kDaysPerSlot + d - 1];
      day.real = true;
      day.left = kFirstDayLeft + kCellSide * (d - 1);
      day.top = rowTop + 1;
      day.right = day.left + kCellSide - 1;
      day.bottom = day.top + kCellSide - 1;
      day.weekday = static_cast<int>((first + chr::days{d - 1}).iso_encoding());
    }
    rowTop += kRowHeight;
    if (++month > 12) {
      month = 1;
      ++year;
    }
  }
  return days;
}

// Pixels of a day that only its fill covers, clear of the texts and the outline: the two low corners of
// a square; the left of a circle's middle and the middle of its lower part.
std::vector<std::pair<int, int>> FillProbes(const DayPlace& day, int dayShape) {
  if (dayShape == kSquareShape) return {{day.left + 3, day.top + 26}, {day.left + 25, day.top + 26}};
  return {{day.left + 4, day.top + 14}, {day.left + 14, day.top + 26}};
}
// A pixel of the outline, black whatever the fill.
std::pair<int, int> OutlineProbe(const DayPlace& day) {
  return {day.left, day.top + 14};
}

std::uint64_t Fnv(std::uint64_t hash, const std::uint8_t* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
  return hash;
}
constexpr std::uint64_t kFnvStart = 14695981039346656037ull;

std::uint64_t PictureHash(Window& main) {
  const platform::Image& surface = main.ViewSurface(kCalendarViewId);
  std::uint64_t hash = kFnvStart;
  for (int y = 0; y < surface.Height(); ++y) hash = Fnv(hash, surface.Row(y), surface.Width() * 3u);
  return hash;
}

// The same hash over a bitmap file's rows, top row first.
std::optional<std::uint64_t> BitmapHash(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() != kBitmapFileSize || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  std::uint64_t hash = kFnvStart;
  for (int y = 0; y < kViewHeight; ++y) {
    const std::size_t row = kBitmapPixelsAt + (kViewHeight - 1 - y) * kBitmapStride;
    hash = Fnv(hash, bytes.data() + row, kViewWidth * 3u);
  }
  return hash;
}

int Get16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::int16_t>(bytes[at] | bytes[at + 1] << 8);
}

// Stops the test program, naming the seed, when a session has not ended in time: a session that hangs
// in some loop fails instead of waiting for the test runner's timeout.
class Watchdog {
 public:
  Watchdog(std::uint32_t seed, const std::atomic<int>& actions) {
    thread = std::thread([this, seed, &actions] {
      std::unique_lock lock(mutex);
      if (!wake.wait_for(lock, kStuckAfter, [this] { return done; })) {
        std::fprintf(stderr, "soak session stuck: seed %u, after action %d\n", seed, actions.load());
        std::abort();
      }
    });
  }
  ~Watchdog() {
    {
      std::lock_guard lock(mutex);
      done = true;
    }
    wake.notify_one();
    thread.join();
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  std::mutex mutex;
  std::condition_variable wake;
  bool done = false;
  std::thread thread;
};

enum class Loop { kColourDialog, kFileNameDialog, kChooser, kBox };

// Something open with a loop of its own, as the model expects it.
struct OpenLoop {
  Loop kind;
  std::string text;                        // a message's text
  bool question = false;                   // a message with Yes and No
  std::function<void(bool yes)> answered;  // what answering the message does
  int cell = 0;                            // the grid cell a chooser colours
};

OpenLoop WindowLoop(Loop kind) {
  return {kind, "", false, nullptr, 0};
}
OpenLoop Message(std::string text, bool question = false, std::function<void(bool yes)> answered = nullptr) {
  return {Loop::kBox, std::move(text), question, std::move(answered), 0};
}
OpenLoop Chooser(int cell) {
  return {Loop::kChooser, "", false, nullptr, cell};
}

enum Action {
  kClickDay,
  kDoubleClickDay,
  kRightClickDay,
  kMoveOverDays,
  kNew,
  kRecord,
  kAuthor,
  kBitmap,
  kColours,
  kPaletteMove,
  kPaletteRightClick,
  kPaletteLeftClick,
  kFileButton,
  kResetButton,
  kGetOutButton,
  kAcceptName,
  kAcceptEmptyName,
  kCancelName,
  kCloseNameDialog,
  kAnswerChooser,
  kAnswerBox,
  kActionCount
};

constexpr const char* kActionNames[kActionCount] = {
    "day clicks",  "double clicks",   "right clicks",   "moves",         "New",           "Record",
    "Author",      "Bitmap",          "Colours",        "palette moves", "palette picks", "palette clicks",
    "File",        "Reset",           "Get out",        "names",         "empty names",   "name cancels",
    "name closes", "chooser answers", "message answers"};

class Session {
 public:
  Session(const SoakRun& run, const TempFolder& folder)
      : run(run),
        folder(folder),
        language(run.settings.languageIndex),
        days(LayOut(run.settings)),
        marks(days.size()),
        rng(run.seed) {}

  // Queues the session: it drives itself from step to step until Get out.
  void Start() {
    automation::Then([this] { Step(); });
  }
  // Queues the checks of the next start: the recorded marks and the filed colours are back.
  void ExpectRestored();

  const std::atomic<int>& ActionCounter() const { return actionCount; }
  int Actions() const { return actionCount.load(); }
  int Records() const { return records; }
  // How often each kind of action ran, for the record of the session.
  std::string Tally() const {
    std::string tally;
    for (int action = 0; action < kActionCount; ++action) {
      tally += (action == 0 ? "" : ", ") + std::to_string(counts[action]) + " " + kActionNames[action];
    }
    return tally;
  }

 private:
  struct Mark {
    bool marked = false;
    Colour colour = platform::kWhite;
  };
  using Grid = std::array<Colour, kGridCells>;

  // Steps.
  void Step();
  void Act(Action action);
  void WindDown();
  void Finish();

  // The generator; plain modulo so every standard library draws the same session.
  int Below(int n) { return static_cast<int>(rng() % static_cast<std::uint32_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  Colour RandomColour();
  std::pair<int, int> CalendarPoint();
  std::pair<int, int> PalettePoint(Action action);
  std::array<int, kActionCount> Weights() const;

  // The model.
  Loop Top() const { return loops.back().kind; }
  bool TopIs(Loop kind) const { return !loops.empty() && Top() == kind; }
  bool IsOpen(Loop kind) const;
  void Push(OpenLoop loop) { loops.push_back(std::move(loop)); }
  void Pop(Loop kind);
  // Ends the newest loop of that kind, on top or below others.
  void Remove(Loop kind);
  // The message the user sees in front (the newest one); -1 when none.
  int NewestBox() const;
  int DayAt(int x, int y) const;
  void Toggle(int index);
  Colour Expected(int index) const { return marks[index].marked ? marks[index].colour : platform::kWhite; }
  std::uint64_t StateHash(const std::vector<Mark>& state) const;
  Colour PalettePixel(int x, int y) const;
  static std::optional<int> GridCellAt(int x, int y);
  void OpenPalette();
  void CloseColourDialog();

  // Acting.
  Window* Main();
  Window* Dialog(Loop kind);
  void Calendar(MouseKind kind, int x, int y);
  void Palette(MouseKind kind, int x, int y);
  void Log(const std::string& what);

  // Checking.
  void CheckEverything();
  void CheckWindows();
  void CheckCalendar(Window& main, const std::vector<Mark>& state);
  void CheckPalette(Window& dialog);
  void CheckMarksFile();
  void CheckFavouritesFile();

  const SoakRun& run;
  const TempFolder& folder;
  const int language;
  const std::vector<DayPlace> days;

  std::vector<Mark> marks;
  std::optional<std::vector<Mark>> recorded;
  Colour markColour = kLightGrey;
  std::vector<OpenLoop> loops;
  std::unordered_map<std::uint64_t, std::uint64_t> pictureOfState;

  Grid favourites{};
  Grid shown{};  // the swatches as last drawn in the view
  std::optional<int> highlighted;
  bool favouritesChanged = false;
  Colour selectedColour = platform::kWhite;
  std::optional<Grid> filed;
  int colourDialogId = 0;                     // which opening of the dialog is the latest
  std::unordered_map<int, Grid> gridAtClose;  // each closed dialog's grid, for answers that come late

  std::mt19937 rng;
  std::atomic<int> actionCount{0};
  int records = 0;
  std::array<int, kActionCount> counts{};
  bool checkSoon = false;
  bool closing = false;
  bool windingDown = false;
  int windDownSteps = 0;
  std::deque<std::string> log;
};

std::string Describe(int x, int y) {
  return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
}

void Session::Log(const std::string& what) {
  log.push_back("#" + std::to_string(actionCount.load()) + " " + what);
  if (log.size() > kLogLength) log.pop_front();
}

bool Session::IsOpen(Loop kind) const {
  for (const OpenLoop& loop : loops) {
    if (loop.kind == kind) return true;
  }
  return false;
}

void Session::Pop(Loop kind) {
  if (loops.empty() || Top() != kind) {
    ADD_FAILURE() << "the model closes something that is not on top";
    return;
  }
  loops.pop_back();
}

void Session::Remove(Loop kind) {
  for (auto it = loops.rbegin(); it != loops.rend(); ++it) {
    if (it->kind == kind) {
      loops.erase(std::next(it).base());
      return;
    }
  }
  ADD_FAILURE() << "the model closes something that is not open";
}

int Session::NewestBox() const {
  for (int i = static_cast<int>(loops.size()) - 1; i >= 0; --i) {
    if (loops[i].kind == Loop::kBox) return i;
  }
  return -1;
}

int Session::DayAt(int x, int y) const {
  for (std::size_t i = 0; i < days.size(); ++i) {
    const DayPlace& day = days[i];
    if (day.real && day.left <= x && x <= day.right && day.top <= y && y <= day.bottom) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void Session::Toggle(int index) {
  Mark& mark = marks[index];
  mark = mark.marked ? Mark{} : Mark{true, markColour};
}

std::uint64_t Session::StateHash(const std::vector<Mark>& state) const {
  std::uint64_t hash = kFnvStart;
  for (const Mark& mark : state) {
    const Colour shownColour = mark.marked ? mark.colour : platform::kWhite;
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(shownColour), static_cast<std::uint8_t>(shownColour >> 8),
        static_cast<std::uint8_t>(shownColour >> 16), static_cast<std::uint8_t>(mark.marked)};
    hash = Fnv(hash, bytes, sizeof bytes);
  }
  return hash;
}

std::optional<int> Session::GridCellAt(int x, int y) {
  if (x < 0 || y < 0 || x / kPitch >= kGridColumns || y / kPitch >= kGridRows) return std::nullopt;
  return (y / kPitch) * kGridColumns + x / kPitch;
}

// The palette as shown: white but for the swatches, each outlined in black (the hovered one in white)
// around its colour as last drawn.
Colour Session::PalettePixel(int x, int y) const {
  if (x < kSwatchStart || y < kSwatchStart) return platform::kWhite;
  const int column = (x - kSwatchStart) / kPitch;
  const int row = (y - kSwatchStart) / kPitch;
  const int across = (x - kSwatchStart) % kPitch;
  const int down = (y - kSwatchStart) % kPitch;
  if (column >= kGridColumns || row >= kGridRows || across >= kSwatchSide || down >= kSwatchSide) {
    return platform::kWhite;
  }
  const int cell = row * kGridColumns + column;
  const bool outline = across == 0 || down == 0 || across == kSwatchSide - 1 || down == kSwatchSide - 1;
  if (!outline) return shown[cell];
  return highlighted == cell ? platform::kWhite : platform::kBlack;
}

void Session::CloseColourDialog() {
  gridAtClose[colourDialogId] = favourites;
  Remove(Loop::kColourDialog);
}

void Session::OpenPalette() {
  ++colourDialogId;
  Grid white;
  white.fill(platform::kWhite);
  favourites = filed.value_or(white);
  shown = favourites;
  highlighted.reset();
  favouritesChanged = false;
  selectedColour = platform::kWhite;
}

Colour Session::RandomColour() {
  static constexpr Colour kSpecial[] = {platform::kBlack, platform::kWhite, kLightGrey, 0x0000FF};
  if (Chance(15)) return kSpecial[Below(std::size(kSpecial))];
  return rng() & 0xFFFFFF;
}

// Days, their edges and corners, the labels, the gaps and the margins, and now and then just off the
// drawing surface.
std::pair<int, int> Session::CalendarPoint() {
  const int kind = Below(20);
  if (kind < 13) {
    int index = 0;
    do index = Below(static_cast<int>(days.size()));
    while (!days[index].real);
    const DayPlace& day = days[index];
    if (kind < 9) return {day.left + Below(kCellSide), day.top + Below(kCellSide)};
    return {Chance(50) ? day.left : day.right, Chance(50) ? day.top : day.bottom};
  }
  if (kind < 15) return {Below(kFirstDayLeft), Below(kViewHeight)};
  if (kind == 15) return {Below(kViewWidth + 4) - 2, Below(kViewHeight + 4) - 2};
  return {Below(kViewWidth), Below(kViewHeight)};
}

std::pair<int, int> Session::PalettePoint(Action action) {
  if (action == kPaletteLeftClick && loops.size() >= kMaxLoops) {
    // Only off the grid, where no chooser opens.
    return Chance(50) ? std::pair{kGridColumns * kPitch + Below(kPaletteWidth - kGridColumns * kPitch),
                                  Below(kPaletteHeight)}
                      : std::pair{Below(kPaletteWidth),
                                  kGridRows * kPitch + Below(kPaletteHeight - kGridRows * kPitch)};
  }
  const int kind = Below(20);
  int column = Below(kGridColumns);
  int row = Below(kGridRows);
  if (action == kPaletteRightClick && highlighted && Chance(20)) {
    // The hovered swatch's outline is shown white: a pick there picks white.
    column = *highlighted % kGridColumns;
    row = *highlighted / kGridColumns;
    const int swatchX = column * kPitch + kSwatchStart;
    const int swatchY = row * kPitch + kSwatchStart;
    return Chance(50) ? std::pair{swatchX + Below(kSwatchSide), swatchY + (Chance(50) ? 0 : kSwatchSide - 1)}
                      : std::pair{swatchX + (Chance(50) ? 0 : kSwatchSide - 1), swatchY + Below(kSwatchSide)};
  }
  const int swatchX = column * kPitch + kSwatchStart;
  const int swatchY = row * kPitch + kSwatchStart;
  if (kind < 12) return {swatchX + 1 + Below(kSwatchSide - 2), swatchY + 1 + Below(kSwatchSide - 2)};
  if (kind < 15) return {swatchX + (Chance(50) ? 0 : kSwatchSide - 1), swatchY + Below(kSwatchSide)};
  return {Below(kPaletteWidth), Below(kPaletteHeight)};
}

std::array<int, kActionCount> Session::Weights() const {
  std::array<int, kActionCount> w{};
  if (closing) {
    if (loops.empty()) return w;
    switch (Top()) {
      case Loop::kBox:
        w[kAnswerBox] = 1;
        break;
      case Loop::kChooser:
        w[kAnswerChooser] = 1;
        break;
      case Loop::kFileNameDialog:
        w[kCancelName] = w[kAcceptName] = 1;
        break;
      case Loop::kColourDialog:
        w[kGetOutButton] = 1;
        break;
    }
    return w;
  }
  const bool canNest = loops.size() < kMaxLoops;
  const bool colourOpen = IsOpen(Loop::kColourDialog);
  const bool fileNameOpen = IsOpen(Loop::kFileNameDialog);
  // The chooser keeps the user from the colour dialog, wherever it is.
  const bool chooserOpen = IsOpen(Loop::kChooser);
  const int box = NewestBox();
  // Whatever is open, the calendar stays usable; these never wait for an answer.
  w[kClickDay] = 30;
  w[kDoubleClickDay] = 3;
  w[kRightClickDay] = 4;
  w[kMoveOverDays] = 4;
  w[kNew] = 2;
  w[kRecord] = 3;
  // Windows and messages have no owner: they open over whatever is open, up to a few deep.
  w[kAuthor] = canNest ? 2 : 0;
  w[kBitmap] = canNest || fileNameOpen ? 2 : 0;
  w[kColours] = colourOpen ? 1 : canNest ? 5 : 0;
  if (colourOpen && !chooserOpen) {
    w[kPaletteMove] = 8;
    w[kPaletteRightClick] = 8;
    w[kPaletteLeftClick] = 6;
    w[kFileButton] = canNest || !favouritesChanged ? 2 : 0;
    w[kResetButton] = canNest ? 2 : 0;
    w[kGetOutButton] = canNest || !favouritesChanged ? 5 : 0;
  }
  if (fileNameOpen) {
    // An accepted name is exported only when the loops above the dialog have ended: accept on top only.
    w[kAcceptName] = TopIs(Loop::kFileNameDialog) ? 10 : 0;
    w[kAcceptEmptyName] = canNest ? 3 : 0;
    w[kCancelName] = 5;
    w[kCloseNameDialog] = 2;
  }
  // An answer takes effect when its loop returns: only on top, but for a plain notice, which does
  // nothing afterwards.
  if (TopIs(Loop::kChooser)) w[kAnswerChooser] = 40;
  if (box >= 0 && (TopIs(Loop::kBox) || !loops[box].question)) w[kAnswerBox] = 50;
  return w;
}

Window* Session::Main() {
  Window* window = automation::WindowWithCaption(kMainWindowCaption);
  if (window == nullptr) ADD_FAILURE() << "the main window is not open";
  return window;
}

Window* Session::Dialog(Loop kind) {
  const char* caption = kind == Loop::kColourDialog ? Text(text::ttlFavouriteColours, language)
                                                    : Text(text::ttlFileOperation, language);
  Window* window = automation::WindowWithCaption(caption);
  if (window == nullptr) ADD_FAILURE() << "not open: " << caption;
  return window;
}

void Session::Calendar(MouseKind kind, int x, int y) {
  if (Window* main = Main()) automation::Mouse(*main, kCalendarViewId, kind, x, y);
}

void Session::Palette(MouseKind kind, int x, int y) {
  if (Window* dialog = Dialog(Loop::kColourDialog)) automation::Mouse(*dialog, kPaletteViewId, kind, x, y);
}

void Session::Step() {
  SCOPED_TRACE(::testing::Message() << "seed " << run.seed << ", action " << actionCount.load());
  if (::testing::Test::HasFailure() && !windingDown) {
    std::ostringstream recent;
    for (const std::string& line : log) recent << "\n  " << line;
    ADD_FAILURE() << "the session stops at its first failure; seed " << run.seed
                  << ", the last actions:" << recent.str();
    windingDown = true;
  }
  if (windingDown) return WindDown();

  if (checkSoon || actionCount.load() % kCheckEvery == 0) {
    checkSoon = false;
    CheckEverything();
    if (::testing::Test::HasFailure()) {
      automation::Then([this] { Step(); });
      return;
    }
  }
  if (actionCount.load() >= run.actions) closing = true;
  const std::array<int, kActionCount> weights = Weights();
  int total = 0;
  for (int weight : weights) total += weight;
  if (total == 0) return Finish();

  int pick = Below(total);
  int action = 0;
  while (pick >= weights[action]) pick -= weights[action++];
  ++actionCount;
  ++counts[action];
  // Queued first: the action may wait in a loop of its own, and the next step must run inside it.
  automation::Then([this] { Step(); });
  Act(static_cast<Action>(action));
}

void Session::Act(Action action) {
  switch (action) {
    case kClickDay: {
      const auto [x, y] = CalendarPoint();
      const int hit = DayAt(x, y);
      Log("left click on the calendar at " + Describe(x, y) +
          (hit < 0 ? ", no day" : ", day " + std::to_string(hit)));
      if (hit >= 0) Toggle(hit);
      Calendar(MouseKind::kLeftDown, x, y);
      Calendar(MouseKind::kLeftUp, x, y);
      break;
    }
    case kDoubleClickDay: {
      const auto [x, y] = CalendarPoint();
      const int hit = DayAt(x, y);
      Log("double click on the calendar at " + Describe(x, y) +
          (hit < 0 ? ", no day" : ", day " + std::to_string(hit)));
      // Both presses reach the calendar: a day toggles twice, so a day marked in another colour comes
      // back in the current one.
      if (hit >= 0) {
        Toggle(hit);
        Toggle(hit);
      }
      if (Window* main = Main()) automation::DoubleClick(*main, kCalendarViewId, x, y);
      break;
    }
    case kRightClickDay: {
      const auto [x, y] = CalendarPoint();
      Log("right click on the calendar at " + Describe(x, y));
      Calendar(MouseKind::kRightDown, x, y);
      Calendar(MouseKind::kRightUp, x, y);
      break;
    }
    case kMoveOverDays: {
      const auto [x, y] = CalendarPoint();
      Log("move over the calendar to " + Describe(x, y));
      Calendar(MouseKind::kMove, x, y);
      break;
    }
    case kNew:
      Log("New");
      marks.assign(days.size(), Mark{});
      checkSoon = true;
      if (Window* main = Main()) automation::InvokeMenu(*main, kCmdNew);
      break;
    case kRecord:
      Log("Record");
      recorded = marks;
      ++records;
      checkSoon = true;
      if (Window* main = Main()) automation::InvokeMenu(*main, kCmdRecord);
      break;
    case kAuthor:
      Log("Author");
      Push(Message(AuthorMessage(language)));
      if (Window* main = Main()) automation::InvokeMenu(*main, kCmdAuthor);
      break;
    case kBitmap:
      checkSoon = true;
      if (IsOpen(Loop::kFileNameDialog)) {
        Log("Bitmap while its dialog is open");
      } else {
        Log("Bitmap");
        Push(WindowLoop(Loop::kFileNameDialog));
      }
      if (Window* main = Main()) automation::InvokeMenu(*main, kCmdBitmap);
      break;
    case kColours:
      checkSoon = true;
      if (IsOpen(Loop::kColourDialog)) {
        Log("My favourite colours while the dialog is open");
      } else {
        Log("My favourite colours");
        Push(WindowLoop(Loop::kColourDialog));
        OpenPalette();
      }
      if (Window* main = Main()) automation::InvokeMenu(*main, kCmdFavouriteColours);
      break;
    case kPaletteMove: {
      const auto [x, y] = PalettePoint(action);
      Log("move over the palette to " + Describe(x, y));
      if (const std::optional<int> cell = GridCellAt(x, y)) {
        shown = favourites;
        highlighted = *cell;
      }
      Palette(MouseKind::kMove, x, y);
      break;
    }
    case kPaletteRightClick: {
      const auto [x, y] = PalettePoint(action);
      const Colour expected = PalettePixel(x, y);
      Log("right click on the palette at " + Describe(x, y));
      if (Window* dialog = Dialog(Loop::kColourDialog)) {
        EXPECT_EQ(automation::ViewPixel(*dialog, kPaletteViewId, x, y), expected)
            << "palette pixel " << Describe(x, y);
      }
      markColour = expected;
      selectedColour = expected;
      Palette(MouseKind::kRightDown, x, y);
      Palette(MouseKind::kRightUp, x, y);
      break;
    }
    case kPaletteLeftClick: {
      const auto [x, y] = PalettePoint(action);
      const std::optional<int> cell = GridCellAt(x, y);
      Log("left click on the palette at " + Describe(x, y) + (cell ? ", chooser" : ", off the grid"));
      if (cell) Push(Chooser(*cell));
      Palette(MouseKind::kLeftDown, x, y);
      Palette(MouseKind::kLeftUp, x, y);
      break;
    }
    case kFileButton:
      if (favouritesChanged) {
        Log("File");
        filed = favourites;
        favouritesChanged = false;
        Push(Message(Text(text::msgColoursFiled, language)));
      } else {
        Log("File while it is greyed");
      }
      if (Window* dialog = Dialog(Loop::kColourDialog)) automation::Click(*dialog, kFileButtonId);
      break;
    case kResetButton: {
      Log("Reset");
      const std::string question = std::string(Text(text::msgResetConfirm, 1, language)) + "\r\n" +
                                   Text(text::msgResetConfirm, 2, language);
      Push(Message(question, true, [this](bool yes) {
        if (!yes) return;
        filed.reset();
        favourites.fill(platform::kWhite);
        shown = favourites;
        highlighted.reset();
        markColour = platform::kWhite;
        selectedColour = platform::kWhite;
      }));
      if (Window* dialog = Dialog(Loop::kColourDialog)) automation::Click(*dialog, kResetButtonId);
      break;
    }
    case kGetOutButton: {
      Log("Get out of the colours");
      checkSoon = true;
      Window* dialog = Dialog(Loop::kColourDialog);
      if (favouritesChanged) {
        // The question leaves the dialog usable: a second Get out asks again, and whichever answer
        // comes first closes it; a Yes saves the dialog's grid even when it came second.
        Push(Message(Text(text::msgSaveBeforeExit, language), true,
                     [this, dialogId = colourDialogId](bool yes) {
                       const bool stillOpen = IsOpen(Loop::kColourDialog) && dialogId == colourDialogId;
                       if (yes) filed = stillOpen ? favourites : gridAtClose.at(dialogId);
                       if (stillOpen) CloseColourDialog();
                     }));
      } else {
        CloseColourDialog();
      }
      if (dialog != nullptr) automation::Click(*dialog, kGetOutButtonId);
      break;
    }
    case kAcceptName: {
      static const char* const kNames[] = {"soak", "Calendario 2", "almanac.v2", "Día señalado"};
      const std::string name = kNames[Below(std::size(kNames))];
      Log("Accept the bitmap name \"" + name + "\"");
      Window* main = Main();
      Window* dialog = Dialog(Loop::kFileNameDialog);
      if (main == nullptr || dialog == nullptr) break;
      const std::uint64_t picture = PictureHash(*main);
      Pop(Loop::kFileNameDialog);
      Push(Message(Text(text::msgBitmapSaved, language), false, [this, name, picture](bool) {
        const std::optional<std::uint64_t> written = BitmapHash(ReadBytes(folder.File(name + ".bmp")));
        EXPECT_TRUE(written.has_value()) << name << ".bmp is no 24-bit bitmap of the view";
        EXPECT_EQ(written, picture) << name << ".bmp differs from the view when it was accepted";
      }));
      automation::TypeText(*dialog, kFileNameEditId, name);
      automation::Click(*dialog, kFileNameAcceptId);
      break;
    }
    case kAcceptEmptyName:
      Log("Accept an empty bitmap name");
      Push(Message(Text(text::msgFileNameRequired, language)));
      if (Window* dialog = Dialog(Loop::kFileNameDialog)) {
        automation::TypeText(*dialog, kFileNameEditId, "");
        automation::Click(*dialog, kFileNameAcceptId);
      }
      break;
    case kCancelName:
      Log("Cancel the bitmap name");
      Remove(Loop::kFileNameDialog);
      if (Window* dialog = Dialog(Loop::kFileNameDialog)) automation::Click(*dialog, kFileNameCancelId);
      break;
    case kCloseNameDialog:
      Log("close the bitmap name dialog");
      Remove(Loop::kFileNameDialog);
      if (Window* dialog = Dialog(Loop::kFileNameDialog)) automation::RequestClose(*dialog);
      break;
    case kAnswerChooser: {
      const int cell = loops.back().cell;
      Pop(Loop::kChooser);
      const std::optional<Colour> answer = Chance(80) ? std::optional(RandomColour()) : std::nullopt;
      std::ostringstream what;
      what << "answer the chooser of cell " << cell << " with ";
      if (answer) {
        what << std::hex << "0x" << *answer;
      } else {
        what << "Cancel";
      }
      Log(what.str());
      const std::optional<automation::SeenChooser> chooser = automation::OpenColourChooser();
      if (!chooser) {
        ADD_FAILURE() << "no colour chooser is open";
        break;
      }
      EXPECT_EQ(chooser->initial, kChooserInitial);
      if (answer) {
        favourites[cell] = *answer;
        favouritesChanged = true;
      }
      automation::AnswerColourChooser(answer);
      break;
    }
    case kAnswerBox: {
      const OpenLoop box = loops[NewestBox()];
      loops.erase(loops.begin() + NewestBox());
      const bool yes = box.question && Chance(50);
      Log(std::string("answer the message ") + (box.question ? (yes ? "Yes" : "No") : "OK"));
      const std::optional<automation::SeenMessageBox> seen = automation::AnswerMessageBox(
          box.question ? (yes ? platform::MessageAnswer::kYes : platform::MessageAnswer::kNo)
                       : platform::MessageAnswer::kOk);
      if (!seen) {
        ADD_FAILURE() << "no message box to answer; expected: " << box.text;
        break;
      }
      EXPECT_EQ(seen->text, box.text);
      EXPECT_EQ(seen->caption, Text(text::ttlMessageBox, language));
      if (box.answered) box.answered(yes);
      break;
    }
    case kActionCount:
      break;
  }
}

// Everything closed: the last checks, then Get out ends the run.
void Session::Finish() {
  CheckEverything();
  if (::testing::Test::HasFailure()) {
    // Something the model does not know of may still be open: close it first.
    automation::Then([this] { Step(); });
    return;
  }
  Log("Get out");
  if (Window* main = Main()) automation::InvokeMenu(*main, kCmdGetOut);
}

// After a failure: close whatever is open, newest first, one thing per step, then Get out.
void Session::WindDown() {
  if (++windDownSteps > kMaxWindDownSteps) {
    ADD_FAILURE() << "the windows do not close";
    return;  // the watchdog ends the run
  }
  Window* newest = automation::ActiveWindow();
  const bool boxOpen = automation::OpenMessageBox().has_value();
  const bool chooserOpen = automation::OpenColourChooser().has_value();
  if (!boxOpen && !chooserOpen && newest != nullptr && automation::Caption(*newest) == kMainWindowCaption) {
    automation::InvokeMenu(*newest, kCmdGetOut);
    return;
  }
  automation::Then([this] { Step(); });
  if (boxOpen) {
    if (!automation::AnswerMessageBox(platform::MessageAnswer::kNo)) {
      automation::AnswerMessageBox(platform::MessageAnswer::kOk);
    }
  } else if (chooserOpen) {
    automation::AnswerColourChooser(std::nullopt);
  } else if (newest != nullptr) {
    newest->End(0);
  }
}

void Session::CheckEverything() {
  CheckWindows();
  if (Window* main = Main()) {
    CheckCalendar(*main, marks);
    // Whatever way the marks got there, the same marks make the same picture.
    const std::uint64_t picture = PictureHash(*main);
    const auto [known, added] = pictureOfState.emplace(StateHash(marks), picture);
    EXPECT_TRUE(added || known->second == picture) << "the picture differs from an earlier one with the "
                                                      "very same marks";
  }
  if (IsOpen(Loop::kColourDialog)) {
    if (Window* dialog = Dialog(Loop::kColourDialog)) CheckPalette(*dialog);
  }
  CheckMarksFile();
  CheckFavouritesFile();
  const std::vector<std::uint8_t> settings = ReadBytes(folder.File("settings.log"));
  ASSERT_EQ(settings.size(), kSettingsFileSize);
  EXPECT_EQ(Get32(settings, 28), static_cast<std::uint32_t>(run.settings.settingsId));
}

void Session::CheckWindows() {
  std::vector<std::string> expected = {kMainWindowCaption};
  for (const OpenLoop& loop : loops) {
    if (loop.kind == Loop::kColourDialog) expected.push_back(Text(text::ttlFavouriteColours, language));
    if (loop.kind == Loop::kFileNameDialog) expected.push_back(Text(text::ttlFileOperation, language));
  }
  EXPECT_EQ(automation::OpenWindowCaptions(), expected);
  const std::optional<automation::SeenMessageBox> box = automation::OpenMessageBox();
  if (const int newest = NewestBox(); newest >= 0) {
    EXPECT_TRUE(box.has_value() && box->text == loops[newest].text)
        << "expected the message: " << loops[newest].text;
  } else {
    EXPECT_FALSE(box.has_value()) << "a message is open: " << box->text;
  }
  EXPECT_EQ(automation::OpenColourChooser().has_value(), IsOpen(Loop::kChooser));
}

void Session::CheckCalendar(Window& main, const std::vector<Mark>& state) {
  int wrong = 0;
  for (std::size_t i = 0; i < days.size() && wrong < 5; ++i) {
    if (!days[i].real) continue;
    const Colour expected = state[i].marked ? state[i].colour : platform::kWhite;
    for (const auto& [x, y] : FillProbes(days[i], run.settings.dayShape)) {
      const Colour seen = automation::ViewPixel(main, kCalendarViewId, x, y);
      if (seen != expected) {
        ++wrong;
        ADD_FAILURE() << "day " << i << " (slot " << i / kDaysPerSlot + 1 << ", day " << i % kDaysPerSlot + 1
                      << ") shows 0x" << std::hex << seen << " at " << std::dec << Describe(x, y)
                      << ", expected 0x" << std::hex << expected;
      }
    }
    const auto [x, y] = OutlineProbe(days[i]);
    if (automation::ViewPixel(main, kCalendarViewId, x, y) != platform::kBlack) {
      ++wrong;
      ADD_FAILURE() << "day " << i << " lost its outline at " << Describe(x, y);
    }
  }
}

void Session::CheckPalette(Window& dialog) {
  EXPECT_EQ(automation::ControlEnabled(dialog, kFileButtonId), favouritesChanged);
  EXPECT_EQ(automation::ViewPixel(dialog, kSelectedColourViewId, 2, 2), selectedColour);
  int wrong = 0;
  for (int cell = 0; cell < kGridCells && wrong < 5; ++cell) {
    const int x = (cell % kGridColumns) * kPitch + kSwatchStart;
    const int y = (cell / kGridColumns) * kPitch + kSwatchStart;
    for (const auto& [px, py] : {std::pair{x, y}, std::pair{x + kSwatchSide / 2, y + kSwatchSide / 2},
                                 std::pair{x + kSwatchSide, y + kSwatchSide}}) {
      const Colour seen = automation::ViewPixel(dialog, kPaletteViewId, px, py);
      if (seen != PalettePixel(px, py)) {
        ++wrong;
        ADD_FAILURE() << "palette pixel " << Describe(px, py) << " is 0x" << std::hex << seen
                      << ", expected 0x" << PalettePixel(px, py);
      }
    }
  }
}

// "mark.log" holds the marks of the last Record, 31 records per month, every one stamped with the id of
// "settings.log".
void Session::CheckMarksFile() {
  const std::string path = folder.File("mark.log");
  if (!recorded) {
    EXPECT_FALSE(Exists(path)) << "mark.log was written without Record";
    return;
  }
  const std::vector<std::uint8_t> bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), static_cast<std::size_t>(run.settings.monthCount) * kMarksPerMonthBytes);
  const std::uint32_t settingsId = Get32(ReadBytes(folder.File("settings.log")), 28);
  int wrong = 0;
  for (std::size_t i = 0; i < days.size() && wrong < 5; ++i) {
    const std::size_t at = i * kMarkRecordSize;
    const DayPlace& day = days[i];
    const Mark& mark = (*recorded)[i];
    const int slot = day.real ? static_cast<int>(i) / kDaysPerSlot + 1 : 0;
    const int dayIndex = day.real ? static_cast<int>(i) % kDaysPerSlot + 1 : 0;
    const std::vector<int> expected = {
        day.left, day.top, day.right, day.bottom, day.weekday, dayIndex, mark.marked ? 1 : 0, slot, dayIndex};
    const std::vector<int> seen = {Get16(bytes, at),
                                   Get16(bytes, at + 2),
                                   Get16(bytes, at + 4),
                                   Get16(bytes, at + 6),
                                   Get16(bytes, at + 8),
                                   Get16(bytes, at + 10),
                                   static_cast<int>(Get32(bytes, at + 12)),
                                   Get16(bytes, at + 20),
                                   Get16(bytes, at + 22)};
    const bool sameId = Get32(bytes, at + 16) == settingsId;
    const bool sameColour = Get32(bytes, at + 24) == (mark.marked ? mark.colour : platform::kWhite);
    if (seen != expected || !sameId || !sameColour) {
      ++wrong;
      ADD_FAILURE() << "mark.log record " << i + 1 << " differs from the marks recorded"
                    << (sameId ? "" : " (settingsId)") << (sameColour ? "" : " (colour)");
    }
  }
}

void Session::CheckFavouritesFile() {
  const std::string path = folder.File("Mis Colores.log");
  if (!filed) {
    EXPECT_FALSE(Exists(path)) << "Mis Colores.log exists although nothing was filed since the last Reset";
    return;
  }
  const std::vector<std::uint8_t> bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), kFavouritesFileSize);
  for (std::size_t i = 0; i < kFavouriteRecords; ++i) {
    const FavouriteCell cell = DecodeFavouriteCell(bytes.data() + i * kFavouriteRecordSize);
    EXPECT_EQ(cell.column, static_cast<int>(i) % kGridColumns);
    EXPECT_EQ(cell.row, static_cast<int>(i) / kGridColumns);
    EXPECT_EQ(cell.colour, (*filed)[i]) << "Mis Colores.log record " << i + 1;
  }
}

void Session::ExpectRestored() {
  const std::vector<Mark> expected = recorded.value_or(std::vector<Mark>(days.size()));
  OnMainWindow([this, expected](Window& main) {
    CheckCalendar(main, expected);
    const auto known = pictureOfState.find(StateHash(expected));
    ASSERT_NE(known, pictureOfState.end()) << "the recorded marks were never checked on screen";
    EXPECT_EQ(PictureHash(main), known->second) << "the restored picture differs from the recorded one";
  });
  Menu(kCmdFavouriteColours);
  automation::Then([this] {
    OpenPalette();
    if (Window* dialog = Dialog(Loop::kColourDialog)) CheckPalette(*dialog);
  });
  automation::Then([this] {
    if (Window* dialog = Dialog(Loop::kColourDialog)) automation::Click(*dialog, kGetOutButtonId);
  });
  // The mark colour starts light grey again.
  int first = 0;
  while (!days[first].real) ++first;
  const DayPlace day = days[first];
  const Colour after = expected[first].marked ? platform::kWhite : kLightGrey;
  ClickView(day.left + 3, day.top + 3);
  OnMainWindow([this, day, after](Window& main) {
    for (const auto& [x, y] : FillProbes(day, run.settings.dayShape)) {
      EXPECT_EQ(automation::ViewPixel(main, kCalendarViewId, x, y), after);
    }
  });
  GetOutAndCloseEverything();
}

class SoakE2e : public ::testing::TestWithParam<SoakRun> {};

TEST_P(SoakE2e, ThousandsOfRandomActionsKeepTheCalendarTheFilesAndTheWindowsRight) {
  const SoakRun& run = GetParam();
  SCOPED_TRACE(::testing::Message() << "soak session " << run.name << ", seed " << run.seed);
  TempFolder folder;
  const InFolder inFolder(folder.Path());  // bitmaps land in the program folder
  WriteSettingsFile(folder, run.settings);
  Session session(run, folder);
  const auto started = std::chrono::steady_clock::now();
  {
    Watchdog watchdog(run.seed, session.ActionCounter());
    session.Start();
    RunProgram(folder);
    if (!::testing::Test::HasFailure()) {
      session.ExpectRestored();
      RunProgram(folder);
    }
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
  if (!::testing::Test::HasFailure()) {
    EXPECT_GE(session.Actions(), run.actions);
  }
  EXPECT_GT(session.Records(), 0) << "the session never recorded";
  std::printf("soak %s: seed %u, %d actions in %.1f s: %s\n", run.name, run.seed, session.Actions(),
              took.count(), session.Tally().c_str());
}

Settings Period(int startMonth, int startYear, int lastMonth, int lastYear, int dayShape, int languageIndex,
                std::int32_t settingsId) {
  Settings settings;
  settings.startMonth = startMonth;
  settings.lastMonth = lastMonth;
  settings.startYearIndex = startYear - kFirstYear + 1;
  settings.lastYearIndex = lastYear - kFirstYear + 1;
  settings.dayShape = dayShape;
  settings.monthCount = (lastYear - startYear) * 12 + lastMonth - startMonth + 1;
  settings.languageIndex = languageIndex;
  settings.settingsId = settingsId;
  return settings;
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, SoakE2e,
    ::testing::Values(
        SoakRun{"EnglishSquares", TallestRun(5), 20240611u, 2000},
        SoakRun{"SpanishCircles", Period(11, 2023, 6, 2025, kCircleShape, 1, 424242), 97531u, 2000},
        SoakRun{"GermanCirclesShortRun", Period(1, 2024, 5, 2024, kCircleShape, 4, 135790), 8642u, 1500}),
    [](const ::testing::TestParamInfo<SoakRun>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kalvor::testing

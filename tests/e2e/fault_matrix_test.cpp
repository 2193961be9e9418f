// Every write the program makes, against every way a write can fail, through the real windows: one
// numbered message captioned in the language of the run, the previous file left byte for byte (or still
// absent), no temporary file left in the folder, and the program still usable afterwards.
//
// The writes: settings.log by the settings dialog's Accept and by Record when it is missing, mark.log by
// Record, "Mis Colores.log" by the colour dialog's File button and by its Get out answered Yes, and a
// bitmap in the current folder. The faults: a full disk, a folder the user may not write, a read-only
// previous file (replaced, by design, except for a bitmap the user names), a folder standing where the
// file should be, a read-only medium, the process killed between writing the new file and moving it
// into place (then started again), and injected failures for the error numbers the machine cannot make
// on demand.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "colours/colour_dialog.h"
#include "mainwindow/file_name_dialog.h"
#include "platform/file_faults.h"
#include "platform/files.h"
#include "settings/settings_dialog.h"
#include "tests/e2e/main_window_steps.h"
#include "tests/support/fault_env.h"

namespace kalvor::testing {
namespace {

// Settings dialog controls.
// Colour dialog controls, and the middle of the swatch in column 3, row 2.
constexpr int kSwatchX = 90;
constexpr int kSwatchY = 65;
constexpr std::size_t kSwatchRecord = 2 * 13 + 3;

constexpr std::size_t kSmallDiskBytes = 64 * 1024;
constexpr mode_t kReadOnlyFile = 0444;
constexpr platform::Colour kChosen = 0x3366CC;
constexpr std::size_t kSettingsFileSize = 32;
constexpr std::size_t kMarksFileSize = 20 * 868;
constexpr std::size_t kFavouritesFileSize = 130 * 24;
constexpr std::size_t kBitmapSize = 2480994;
constexpr const char* kBitmapName = "plan";
constexpr int kKilledExitCode = 86;

// What the program says, by languageIndex 1 to 6.
struct Language {
  int index;
  const char* caption;
  const char* coloursFiled;
  const char* saveBeforeExit;
  const char* bitmapSaved;
};
const Language kLanguages[] = {
    {1, "Programador", "Mis Colores Favoritos han sido Archivados",
     "Desea guardar los cambios antes de Salir ?", "Fichero grabado a bitmap"},
    {2, "Programador", "Minhas cores preferidas são arquivados", "Para salvar as alteraÇões antes de sair ?",
     "Gravou um arquivo bitmap"},
    {3, "Programmeur", "Mes couleurs préférées sont déposées",
     "Pour enregistrer les modifications avant de quitter ?", "Enregistré un fichier bitmap"},
    {4, "Programmierer", "Meine Lieblingsfarben sind eingereicht", "Um Änderungen nicht zuvor speichern ?",
     "Erfasst eine Bitmap-Datei"},
    {5, "Programmer", "My favorite colors are filed", "To save changes before exiting ?",
     "Recorded a bitmap file"},
    {6, "Programmatore", "I miei colori preferiti sono depositate",
     "Per salvare le modifiche prima di uscire ?", "Registrato un file bitmap"},
};

const std::map<int, std::string> kErrorTexts = {
    {5, "Err:  5 Illegal function call"}, {7, "Err:  7 Out of memory"},
    {51, "Err:  51 Internal error"},      {52, "Err:  52 Bad file name or number"},
    {53, "Err:  53 File not found"},      {57, "Err:  57 Device I/O error"},
    {61, "Err:  61 Disk full"},           {62, "Err:  62 Input past end"},
    {64, "Err:  64 Bad file name"},       {67, "Err:  67 Too many files"},
    {68, "Err:  68 Device unavailable"},  {70, "Err:  70 Permission denied"},
    {71, "Err:  71 Disk not ready"},      {72, "Err:  72 Disk media error"},
    {74, "Err:  74 Rename across disks"}, {75, "Err:  75 Path/file access error"},
    {76, "Err:  76 Path not found"},
};

// The error a settings write and any other write report; 0 where the write succeeds.
struct Errors {
  int settings = 0;
  int other = 0;
};

// A failure made to order for the next writes, at one step of each; no error, nothing injected.
struct Injection {
  int error = 0;
  int count = 1;
  platform::testing::FileStep step = platform::testing::FileStep::kWrite;
};

void Inject(const Injection& injection) {
  if (injection.error != 0)
    platform::testing::InjectFileFailure(injection.step, injection.error, injection.count);
}

// The file-name dialog or the colour dialog: the newest window that is not the calendar.
void OnDialog(std::function<void(platform::Window&)> step) {
  automation::Then([step] {
    const std::vector<std::string> captions = automation::OpenWindowCaptions();
    const auto dialog = std::find_if(captions.rbegin(), captions.rend(), [](const std::string& caption) {
      return caption != kMainWindowCaption;
    });
    platform::Window* window = dialog == captions.rend() ? nullptr : automation::WindowWithCaption(*dialog);
    if (window == nullptr) {
      ADD_FAILURE() << "no dialog is open over the calendar";
      return;
    }
    step(*window);
  });
}

// The last step. Whatever a failed expectation left open is answered or closed, and Get out ends the run.
// A message that came before the calendar opened (from the settings dialog's Accept) delays it: the step
// then waits for the calendar, a bounded number of times, so that a failing run still ends.
void GetOutWhenTheCalendarRuns(int attemptsLeft = 100) {
  automation::Then([attemptsLeft] {
    bool leftOpen = false;
    while (automation::AnswerMessageBox(platform::MessageAnswer::kOk) ||
           automation::AnswerMessageBox(platform::MessageAnswer::kNo)) {
      leftOpen = true;
    }
    while (automation::AnswerColourChooser(std::nullopt)) leftOpen = true;
    // The settings dialog shares the calendar's caption; only the calendar has menus.
    platform::Window* calendar = nullptr;
    platform::Window* settingsDialog = nullptr;
    for (const std::string& caption : automation::OpenWindowCaptions()) {
      platform::Window* window = automation::WindowWithCaption(caption);
      if (window == nullptr) continue;
      if (caption != kMainWindowCaption) {
        leftOpen = true;
        window->End(0);
      } else if (automation::MenuBar(*window).empty()) {
        settingsDialog = window;
      } else {
        calendar = window;
      }
    }
    EXPECT_FALSE(leftOpen) << "windows or messages were still open at the end";
    if (calendar != nullptr) {
      automation::InvokeMenu(*calendar, kCmdGetOut);
    } else if (attemptsLeft > 0) {
      GetOutWhenTheCalendarRuns(attemptsLeft - 1);
    } else {
      ADD_FAILURE() << "the calendar never opened";
      if (settingsDialog != nullptr) settingsDialog->End(0);
    }
  });
}

// Queues the steps of the writes, the answers to the message boxes each must show, and checks after the
// run that exactly those boxes came, in that order.
class Session {
 public:
  explicit Session(const Language& language) : language_(language) {}

  // December 2000 to July 2002 in square days, the run of TallestRun, chosen in the settings dialog.
  void AcceptSettingsDialog(bool save, Errors errors, Injection injection = {}) {
    const int languagePosition = language_.index - 1;
    automation::Then([=] {
      platform::Window* dialog = automation::ActiveWindow();
      if (dialog == nullptr) {
        ADD_FAILURE() << "the settings dialog is not open";
        return;
      }
      automation::ChooseItem(*dialog, kLanguageChooser, languagePosition);
      automation::ChooseItem(*dialog, kStartMonthList, 11);
      automation::ChooseItem(*dialog, kStartYearList, 0);
      automation::ChooseItem(*dialog, kLastMonthList, 6);
      automation::ChooseItem(*dialog, kLastYearList, 2);
      automation::ChooseItem(*dialog, kDayShapeList, 0);
      if (save) automation::Click(*dialog, kSaveSettingsBox);
      Inject(injection);
      automation::Click(*dialog, kAcceptButton);
    });
    if (save && errors.settings != 0) ExpectBox(kErrorTexts.at(errors.settings));
  }

  // Without a settings file Record writes it first, then the marks.
  void Record(bool settingsMissing, Errors errors, Injection injection = {}) {
    OnMainWindow([injection](platform::Window& window) {
      Inject(injection);
      automation::InvokeMenu(window, kCmdRecord);
    });
    if (settingsMissing && errors.settings != 0) ExpectBox(kErrorTexts.at(errors.settings));
    if (errors.other != 0) ExpectBox(kErrorTexts.at(errors.other));
  }

  // Only a file written is confirmed; after a failure the change is still unsaved, so Get out asks.
  void FileFavourites(Errors errors, Injection injection = {}) {
    ChangeAFavourite();
    OnDialog([injection](platform::Window& dialog) {
      Inject(injection);
      automation::Click(dialog, kFileButtonId);
    });
    if (errors.other != 0) {
      ExpectBox(kErrorTexts.at(errors.other));
      GetOutOfTheColoursWithoutSaving();
      return;
    }
    ExpectBox(language_.coloursFiled);
    OnDialog([](platform::Window& dialog) { automation::Click(dialog, kGetOutButtonId); });
    ExpectOnlyTheCalendarOpen();
  }

  // A save that fails keeps the dialog open with the change.
  void SaveFavouritesOnGetOut(Errors errors, Injection injection = {}) {
    ChangeAFavourite();
    OnDialog([injection](platform::Window& dialog) {
      Inject(injection);
      automation::Click(dialog, kGetOutButtonId);
    });
    ExpectBox(language_.saveBeforeExit, platform::MessageAnswer::kYes);
    if (errors.other != 0) {
      ExpectBox(kErrorTexts.at(errors.other));
      GetOutOfTheColoursWithoutSaving();
      return;
    }
    ExpectOnlyTheCalendarOpen();
  }

  void ExportBitmap(Errors errors, Injection injection = {}) {
    Menu(kCmdBitmap);
    OnDialog([injection](platform::Window& dialog) {
      automation::TypeText(dialog, kFileNameEditId, kBitmapName);
      Inject(injection);
      automation::Click(dialog, kFileNameAcceptId);
    });
    ExpectBox(errors.other != 0 ? kErrorTexts.at(errors.other) : language_.bitmapSaved);
  }

  // A day can still be marked, and Get out ends the run.
  void ThenStillWorksAndGetsOut() {
    const DayBox day = DayOfTallestRun(2, 7);
    ExpectNoBox();
    ClickView(day.left + 15, day.top + 15);
    OnMainWindow([day](platform::Window& window) {
      EXPECT_EQ(automation::ViewPixel(window, kCalendarViewId, day.fillX(), day.fillY()), kLightGrey);
    });
    GetOutWhenTheCalendarRuns();
  }

  void Run(const std::string& folder) {
    RunProgram(folder);
    platform::testing::InjectReplaceFailure(platform::kErrNone, platform::ReplaceStage::kNone, 0);
    EXPECT_EQ(seen_, expected_);
  }

 private:
  void ExpectBox(const std::string& text, platform::MessageAnswer answer = platform::MessageAnswer::kOk) {
    expected_.push_back(std::string(language_.caption) + ": " + text);
    automation::Then([this, answer] {
      const auto box = automation::AnswerMessageBox(answer);
      if (!box) {
        ADD_FAILURE() << "no message box with that answer was open";
        return;
      }
      seen_.push_back(box->caption + ": " + box->text);
    });
  }

  void GetOutOfTheColoursWithoutSaving() {
    OnDialog([](platform::Window& dialog) { automation::Click(dialog, kGetOutButtonId); });
    ExpectBox(language_.saveBeforeExit, platform::MessageAnswer::kNo);
    ExpectOnlyTheCalendarOpen();
  }

  static void ChangeAFavourite() {
    Menu(kCmdFavouriteColours);
    OnDialog([](platform::Window& dialog) {
      automation::Mouse(dialog, kPaletteViewId, platform::MouseKind::kLeftDown, kSwatchX, kSwatchY);
    });
    automation::Then(
        [] { EXPECT_TRUE(automation::AnswerColourChooser(kChosen)) << "no colour chooser open"; });
  }

  static void ExpectOnlyTheCalendarOpen() {
    automation::Then(
        [] { EXPECT_EQ(automation::OpenWindowCaptions(), std::vector<std::string>{kMainWindowCaption}); });
  }

  const Language& language_;
  std::vector<std::string> expected_;  // "caption: text" of each box, in order
  std::vector<std::string> seen_;
};

enum class Write {
  kSettingsByAccept,
  kSettingsByRecord,
  kMarks,
  kFavouritesByFile,
  kFavouritesByGetOut,
  kBitmap
};
enum class Fault { kDiskFull, kFolderNotWritable, kReadOnlyFile, kFolderInTheWay, kReadOnlyMedium, kKilled };

struct Row {
  Write write;
  Fault fault;
};

// Each write runs in a language of its own, so that every caption is seen.
const Language& LanguageOf(Write write) {
  switch (write) {
    case Write::kSettingsByAccept:
      return kLanguages[0];
    case Write::kSettingsByRecord:
      return kLanguages[3];
    case Write::kMarks:
      return kLanguages[4];
    case Write::kFavouritesByFile:
      return kLanguages[2];
    case Write::kFavouritesByGetOut:
      return kLanguages[5];
    case Write::kBitmap:
      return kLanguages[1];
  }
  return kLanguages[4];
}

Errors ErrorsOf(Write write, Fault fault) {
  switch (fault) {
    case Fault::kDiskFull:
      return {61, 61};  // even settings.log: its new file is made, only its content does not fit
    case Fault::kFolderNotWritable:
    case Fault::kReadOnlyMedium:
      return {52, 70};  // settings.log cannot be created at all
    case Fault::kFolderInTheWay:
      return {52, 75};  // settings.log cannot be created at all
    case Fault::kReadOnlyFile:
      return {0, write == Write::kBitmap ? 70 : 0};  // only the user's own file is refused
    case Fault::kKilled:
      return {};  // the run never gets as far as a message
  }
  return {};
}

bool DialogFirst(Write write) {
  return write == Write::kSettingsByAccept || write == Write::kSettingsByRecord;
}

std::string TargetName(Write write) {
  switch (write) {
    case Write::kSettingsByAccept:
    case Write::kSettingsByRecord:
      return "settings.log";
    case Write::kMarks:
      return "mark.log";
    case Write::kFavouritesByFile:
    case Write::kFavouritesByGetOut:
      return "Mis Colores.log";
    case Write::kBitmap:
      return std::string(kBitmapName) + ".bmp";
  }
  return {};
}

// The file the write must leave alone when it fails: one the program can start with. Record finds no
// settings file, or it would not write one.
std::optional<std::vector<std::uint8_t>> PreviousContent(Write write) {
  std::vector<std::uint8_t> bytes;
  switch (write) {
    case Write::kSettingsByAccept:
      return std::vector<std::uint8_t>(20, 0x5A);  // too short to hold settings: the dialog opens
    case Write::kSettingsByRecord:
      return std::nullopt;
    case Write::kMarks:
      bytes.assign(16, 0);  // a placeholder record of these settings
      Put32(bytes, static_cast<std::uint32_t>(kTallestRunId));
      bytes.resize(28, 0);
      return bytes;
    case Write::kFavouritesByFile:
    case Write::kFavouritesByGetOut:
      bytes.assign(20, 0);  // cell 0, 0 in green
      Put32(bytes, 0x00AA55);
      return bytes;
    case Write::kBitmap:
      return std::vector<std::uint8_t>{'o', 'l', 'd'};
  }
  return std::nullopt;
}

// The run, as the user who meets the fault.
void DriveWrite(Write write, Fault fault, const std::string& folder) {
  const Language& language = LanguageOf(write);
  const Errors errors = ErrorsOf(write, fault);
  std::optional<InFolder> inFolder;
  Session session(language);
  switch (write) {
    case Write::kSettingsByAccept:
      session.AcceptSettingsDialog(true, errors);
      break;
    case Write::kSettingsByRecord:
      session.AcceptSettingsDialog(false, errors);
      session.Record(true, errors);
      break;
    case Write::kMarks:
      session.Record(false, errors);
      break;
    case Write::kFavouritesByFile:
      session.FileFavourites(errors);
      break;
    case Write::kFavouritesByGetOut:
      session.SaveFavouritesOnGetOut(errors);
      break;
    case Write::kBitmap:
      inFolder.emplace(folder);
      session.ExportBitmap(errors);
      break;
  }
  session.ThenStillWorksAndGetsOut();
  session.Run(folder);
}

// What a write that went through must have left: the new content.
void ExpectNewContent(Write write, const std::vector<std::uint8_t>& bytes) {
  switch (write) {
    case Write::kSettingsByAccept: {
      ASSERT_EQ(bytes.size(), kSettingsFileSize);
      std::vector<std::uint32_t> fields;
      for (std::size_t at = 0; at < 28; at += 4) fields.push_back(Get32(bytes, at));
      EXPECT_EQ(fields, (std::vector<std::uint32_t>{12, 7, 1, 3, 1, 20, 1}));
      EXPECT_GE(Get32(bytes, 28), 111111u);
      EXPECT_LE(Get32(bytes, 28), 999999u);
      break;
    }
    case Write::kMarks:
      ASSERT_EQ(bytes.size(), kMarksFileSize);
      for (std::size_t at = 16; at < bytes.size(); at += 28) ASSERT_EQ(Get32(bytes, at), kTallestRunId) << at;
      break;
    case Write::kFavouritesByFile:
    case Write::kFavouritesByGetOut:
      ASSERT_EQ(bytes.size(), kFavouritesFileSize);
      EXPECT_EQ(Get32(bytes, kSwatchRecord * 24 + 20), kChosen);
      break;
    case Write::kBitmap:
      ASSERT_EQ(bytes.size(), kBitmapSize);
      EXPECT_EQ(bytes[0], 'B');
      EXPECT_EQ(bytes[1], 'M');
      break;
    case Write::kSettingsByRecord:
      ADD_FAILURE() << "Record writes settings.log only where there is none";
      break;
  }
}

// Starts the program in the folder and leaves at once: Cancel in the settings dialog, else Get out.
void StartAndLeave(const std::string& folder) {
  automation::Then([] {
    platform::Window* window = automation::ActiveWindow();
    if (window == nullptr) {
      ADD_FAILURE() << "the program opened no window";
    } else if (automation::MenuBar(*window).empty()) {
      automation::Click(*window, kCancelButton);
    } else {
      automation::InvokeMenu(*window, kCmdGetOut);
    }
  });
  RunProgram(folder);
}

// The save is killed in a child process once its new file is complete and before it is moved into
// place, as by a crash or a power cut; then the program starts again in the same folder.
void KillMidSaveAndStartAgain(const std::string& folder, std::size_t entriesBefore) {
  const ChildRun run = RunThisTestInChild({{"FOLDER", folder}}, ChildUser::kSame);
  ASSERT_TRUE(run.started) << run.reason;
  ASSERT_EQ(run.exitCode, kKilledExitCode) << "the save never came to moving its new file:\n" << run.output;
  EXPECT_EQ(FolderEntries(folder).size(), entriesBefore + 1) << "the new file was not waiting beside the old";
  StartAndLeave(folder);
}

class WriteFaultsE2e : public ::testing::TestWithParam<Row> {};

TEST_P(WriteFaultsE2e, OneNumberedMessageThePreviousFileKeptAndTheProgramGoesOn) {
  const auto [write, fault] = GetParam();
  if (InTestChild()) {
    if (fault == Fault::kKilled) platform::testing::InjectStopBeforeMove([] { std::_Exit(kKilledExitCode); });
    DriveWrite(write, fault, ChildValue("FOLDER"));
    return;
  }
  std::optional<SmallTmpfs> disk;
  std::optional<TempFolder> temporary;
  if (fault == Fault::kDiskFull || fault == Fault::kReadOnlyMedium) {
    disk.emplace(kSmallDiskBytes);
    if (!disk->Mounted()) GTEST_SKIP() << disk->Reason();
  } else {
    temporary.emplace();
  }
  const std::string folder = disk ? disk->Path() : temporary->Path();
  const std::string target = folder + TargetName(write);
  const std::optional<std::vector<std::uint8_t>> previous = PreviousContent(write);
  if (!DialogFirst(write)) WriteSettingsFile(folder, TallestRun(LanguageOf(write).index));
  if (fault == Fault::kFolderInTheWay) {
    std::filesystem::create_directory(target);
    WriteBytes(target + "/inside", {1, 2, 3});
  } else if (previous) {
    WriteBytes(target, *previous);
  }

  // An unprivileged user meets the permission faults: root passes every permission check.
  bool unprivileged = false;
  switch (fault) {
    case Fault::kDiskFull:
      ASSERT_TRUE(disk->FillUp());
      break;
    case Fault::kReadOnlyMedium:
      ASSERT_TRUE(disk->MakeReadOnly());
      break;
    case Fault::kFolderNotWritable:
      LetOthersReadOnly(folder);
      unprivileged = true;
      break;
    case Fault::kReadOnlyFile:
      ASSERT_EQ(chmod(target.c_str(), kReadOnlyFile), 0);
      if (!ReadOnlyFilesStopThisUser()) {
        GiveToUnprivilegedUser(folder);
        GiveToUnprivilegedUser(target);
        unprivileged = true;
      }
      break;
    case Fault::kFolderInTheWay:
    case Fault::kKilled:
      break;
  }
  const std::vector<std::string> entries = FolderEntries(folder);

  if (fault == Fault::kKilled) {
    KillMidSaveAndStartAgain(folder, entries.size());
  } else if (unprivileged) {
    const ChildRun run = RunThisTestUnprivileged({{"FOLDER", folder}});
    if (!run.started) GTEST_SKIP() << run.reason;
    EXPECT_TRUE(run.passed) << run.output;
  } else {
    DriveWrite(write, fault, folder);
  }

  EXPECT_EQ(FolderEntries(folder), entries) << "a file was left behind or went missing";
  if (fault == Fault::kReadOnlyFile && write != Write::kBitmap) {
    ExpectNewContent(write, ReadBytes(target));
  } else if (fault == Fault::kFolderInTheWay) {
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(ReadBytes(target + "/inside"), (std::vector<std::uint8_t>{1, 2, 3}));
  } else if (previous) {
    EXPECT_EQ(ReadBytes(target), *previous);
  } else {
    EXPECT_FALSE(Exists(target));
  }
  // Record without settings writes the marks as well, into the same fault.
  if (write == Write::kSettingsByRecord) {
    EXPECT_FALSE(Exists(folder + "mark.log"));
  }
}

std::vector<Row> AllRows() {
  std::vector<Row> rows;
  for (const Write write : {Write::kSettingsByAccept, Write::kSettingsByRecord, Write::kMarks,
                            Write::kFavouritesByFile, Write::kFavouritesByGetOut, Write::kBitmap}) {
    for (const Fault fault : {Fault::kDiskFull, Fault::kFolderNotWritable, Fault::kReadOnlyFile,
                              Fault::kFolderInTheWay, Fault::kReadOnlyMedium, Fault::kKilled}) {
      // Record writes settings.log only where nothing at all stands under that name.
      const bool settingsPresent = fault == Fault::kReadOnlyFile || fault == Fault::kFolderInTheWay;
      if (write == Write::kSettingsByRecord && settingsPresent) continue;
      rows.push_back({write, fault});
    }
  }
  return rows;
}

std::string Name(const Row& row) {
  static const std::map<Write, std::string> writes = {{Write::kSettingsByAccept, "SettingsByAccept"},
                                                      {Write::kSettingsByRecord, "SettingsByRecord"},
                                                      {Write::kMarks, "Marks"},
                                                      {Write::kFavouritesByFile, "FavouritesByFile"},
                                                      {Write::kFavouritesByGetOut, "FavouritesByGetOut"},
                                                      {Write::kBitmap, "Bitmap"}};
  static const std::map<Fault, std::string> faults = {{Fault::kDiskFull, "DiskFull"},
                                                      {Fault::kFolderNotWritable, "FolderNotWritable"},
                                                      {Fault::kReadOnlyFile, "ReadOnlyFile"},
                                                      {Fault::kFolderInTheWay, "FolderInTheWay"},
                                                      {Fault::kReadOnlyMedium, "ReadOnlyMedium"},
                                                      {Fault::kKilled, "KilledBeforeTheMove"}};
  return writes.at(row.write) + "_" + faults.at(row.fault);
}

void PrintTo(const Row& row, std::ostream* out) {
  *out << Name(row);
}

INSTANTIATE_TEST_SUITE_P(Matrix, WriteFaultsE2e, ::testing::ValuesIn(AllRows()),
                         [](const ::testing::TestParamInfo<Row>& info) { return Name(info.param); });

// The error numbers no real fault here makes on demand, each injected into all six writes of one run,
// the run in a language that changes from number to number.
class InjectedWriteFaultsE2e : public ::testing::TestWithParam<int> {};

TEST_P(InjectedWriteFaultsE2e, EveryWriteShowsTheNumberAndKeepsItsFile) {
  const int error = GetParam();
  const Language& language = kLanguages[static_cast<std::size_t>(error) % std::size(kLanguages)];
  TempFolder folder;
  const InFolder inFolder(folder.Path());
  const auto favourites = *PreviousContent(Write::kFavouritesByFile);
  const auto bitmap = *PreviousContent(Write::kBitmap);
  WriteBytes(folder.File(TargetName(Write::kFavouritesByFile)), favourites);
  WriteBytes(folder.File(TargetName(Write::kBitmap)), bitmap);
  const std::vector<std::string> entries = FolderEntries(folder.Path());

  const Errors errors{error, error};
  Session session(language);
  session.AcceptSettingsDialog(true, errors, {error, 1});
  session.Record(true, errors, {error, 2});
  session.ExportBitmap(errors, {error, 1});
  session.FileFavourites(errors, {error, 1});
  session.SaveFavouritesOnGetOut(errors, {error, 1});
  session.ThenStillWorksAndGetsOut();
  session.Run(folder.Path());

  EXPECT_EQ(FolderEntries(folder.Path()), entries);
  EXPECT_EQ(ReadBytes(folder.File(TargetName(Write::kFavouritesByFile))), favourites);
  EXPECT_EQ(ReadBytes(folder.File(TargetName(Write::kBitmap))), bitmap);
}

std::string StepName(const ::testing::TestParamInfo<platform::testing::FileStep>& info) {
  static const std::map<platform::testing::FileStep, std::string> kNames = {
      {platform::testing::FileStep::kCreate, "Create"},
      {platform::testing::FileStep::kWrite, "Write"},
      {platform::testing::FileStep::kFinish, "Finish"},
      {platform::testing::FileStep::kMove, "Move"}};
  return kNames.at(info.param);
}

// Each step of a replacement failing in all six writes of one run: the new file cannot be made, written,
// flushed and closed, or moved over the old one. Settings that never got a file report 52.
class FailedStepE2e : public ::testing::TestWithParam<platform::testing::FileStep> {};

TEST_P(FailedStepE2e, EveryWriteShowsItsNumberAndKeepsItsFile) {
  const platform::testing::FileStep step = GetParam();
  TempFolder folder;
  const InFolder inFolder(folder.Path());
  const auto favourites = *PreviousContent(Write::kFavouritesByFile);
  const auto bitmap = *PreviousContent(Write::kBitmap);
  WriteBytes(folder.File(TargetName(Write::kFavouritesByFile)), favourites);
  WriteBytes(folder.File(TargetName(Write::kBitmap)), bitmap);
  const std::vector<std::string> entries = FolderEntries(folder.Path());

  const int error = platform::kErrDiskMediaError;
  const Errors errors{step == platform::testing::FileStep::kCreate ? platform::kErrBadFileNumber : error,
                      error};
  Session session(kLanguages[0]);
  session.AcceptSettingsDialog(true, errors, {error, 1, step});
  session.Record(true, errors, {error, 2, step});
  session.ExportBitmap(errors, {error, 1, step});
  session.FileFavourites(errors, {error, 1, step});
  session.SaveFavouritesOnGetOut(errors, {error, 1, step});
  session.ThenStillWorksAndGetsOut();
  session.Run(folder.Path());

  EXPECT_EQ(FolderEntries(folder.Path()), entries);
  EXPECT_EQ(ReadBytes(folder.File(TargetName(Write::kFavouritesByFile))), favourites);
  EXPECT_EQ(ReadBytes(folder.File(TargetName(Write::kBitmap))), bitmap);
}

INSTANTIATE_TEST_SUITE_P(Steps, FailedStepE2e,
                         ::testing::Values(platform::testing::FileStep::kCreate,
                                           platform::testing::FileStep::kWrite,
                                           platform::testing::FileStep::kFinish,
                                           platform::testing::FileStep::kMove),
                         StepName);

INSTANTIATE_TEST_SUITE_P(Numbers, InjectedWriteFaultsE2e,
                         ::testing::Values(5, 7, 51, 52, 53, 57, 62, 64, 67, 68, 71, 72, 74, 75, 76),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "Err" + std::to_string(info.param);
                         });

}  // namespace
}  // namespace kalvor::testing

// The first-run dialog: one table of controls, one handler per event, one function for its texts.
#include "settings/settings_dialog.h"

#include <array>
#include <string>
#include <vector>

#include "app/notice.h"
#include "app/text_tables.h"
#include "calendar/calendar_math.h"
#include "mainwindow/main_window.h"
#include "platform/window.h"
#include "settings/settings_file.h"

namespace kalvor {

namespace {

using enum platform::ControlKind;
using platform::Window;

constexpr platform::FontSpec kDialogFont = {"MS Sans Serif", 8, false};
constexpr platform::FontSpec kDialogDefault = {};  // a control keeps kDialogFont
constexpr platform::FontSpec kSmallFont = {"MS Sans Serif", 9, true};
constexpr platform::FontSpec kLargeFont = {"MS Sans Serif", 14, true};

constexpr platform::Colour kMaxMonthsText = platform::kWhite;
constexpr platform::Colour kMaxMonthsBackground = 0xFF0000;  // blue

constexpr int kDialogWidth = 513;
constexpr int kDialogHeight = 267;
constexpr int kDialogX = 105;
constexpr int kDialogY = 114;

// Creation order is tab order. Texts come from FillSettingsTexts; the comment names each one.
// clang-format off
const std::vector<platform::ControlSpec> kSettingsControls = {
    // id               kind            x    y    w    h    text font
    {kLanguagesLabel,   kCentredLabel,  8,   24,  150, 16,  "", kSmallFont},         // lblLanguages
    {kLanguageChooser,  kImageCombo,    8,   40,  160, 130, "", kDialogDefault},     // language chooser
    {kStartMonthLabel,  kCentredLabel,  176, 24,  150, 16,  "", kSmallFont},         // lblStartMonth
    {kStartMonthList,   kEditCombo,     176, 40,  160, 24,  "", kDialogDefault},     // start month list
    {kStartYearList,    kEditCombo,     344, 40,  160, 24,  "", kDialogDefault},     // start year list
    {kStartYearLabel,   kCentredLabel,  344, 24,  150, 16,  "", kSmallFont},         // lblStartYear
    {kLastMonthList,    kEditCombo,     176, 96,  160, 24,  "", kDialogDefault},     // last month list
    {kLastMonthLabel,   kCentredLabel,  176, 80,  150, 16,  "", kSmallFont},         // lblLastMonth
    {kLastYearList,     kEditCombo,     344, 96,  160, 24,  "", kDialogDefault},     // last year list
    {kLastYearLabel,    kCentredLabel,  344, 80,  150, 16,  "", kSmallFont},         // lblLastYear
    {kMaxMonthsLabel,   kCentredLabel,  8,   128, 496, 56,  "", kLargeFont,          // lblMaxMonths
     kMaxMonthsText, kMaxMonthsBackground},                                          // white on blue
    {kDayShapeList,     kEditCombo,     8,   96,  160, 24,  "", kDialogDefault},     // day shape list
    {kDayShapesLabel,   kCentredLabel,  8,   80,  150, 16,  "", kSmallFont},         // lblDayShapes
    {kSaveSettingsBox,  kCheckBox,      8,   192, 200, 24,  "", kSmallFont},         // lblSaveSettings
    {kCancelButton,     kButton,        8,   232, 80,  24,  "", kSmallFont},         // lblCancel
    {kAcceptButton,     kButton,        424, 232, 80,  24,  "", kSmallFont},         // lblAccept
};
// clang-format on

// The language chooser's pictures: flag resources in languageIndex order, shown before each name.
constexpr std::array<const char*, kLanguageCount> languageImageList = {"#300", "#301", "#302",
                                                                       "#303", "#304", "#305"};

constexpr int kShapeCount = 2;
constexpr const char* kItemSeparator = " - ";

// Two digits keep the control's alphabetical sorting in numeric order.
std::string TwoDigits(int number) {
  return (number < 10 ? "0" : "") + std::to_string(number);
}

void FillLists(Window& dialog, int language) {
  for (int id : {kStartMonthList, kStartYearList, kLastMonthList, kLastYearList, kDayShapeList}) {
    dialog.ClearItems(id);
  }
  for (int month = 1; month <= kMonthsPerYear; ++month) {
    const std::string item = TwoDigits(month) + kItemSeparator + Text(text::monthNames, month, language);
    dialog.AddItem(kStartMonthList, item);
    dialog.AddItem(kLastMonthList, item);
  }
  for (int shape = 1; shape <= kShapeCount; ++shape) {
    dialog.AddItem(kDayShapeList,
                   TwoDigits(shape) + kItemSeparator + Text(text::shapeNames, shape, language));
  }
  for (int yearIndex = 1; yearIndex <= kYearCount; ++yearIndex) {
    const std::string year = std::to_string(yearTable(yearIndex));
    dialog.AddItem(kStartYearList, year);
    dialog.AddItem(kLastYearList, year);
  }
}

void AddLanguageItem(Window& dialog, const std::string& itemText, const std::string& resourceName) {
  dialog.AddImageItem(kLanguageChooser, itemText, resourceName);
}

// The chosen position counted from 1; 0 when nothing is chosen (also after typing).
int SelectedValue(const Window& dialog, int id) {
  return dialog.SelectedPosition(id) + 1;
}

bool AllChosen(const Settings& settings) {
  return settings.startMonth > 0 && settings.lastMonth > 0 && settings.startYearIndex > 0 &&
         settings.lastYearIndex > 0 && settings.dayShape > 0;
}

// Sets every visible text for the language (the toolkit's own too) and refills the five lists, dropping their selections.
void FillSettingsTexts(Window& dialog, int language) {
  SpeakLanguage(language);
  dialog.SetText(kLanguagesLabel, Text(text::lblLanguages, language));
  dialog.SetText(kStartMonthLabel, Text(text::lblStartMonth, language));
  dialog.SetText(kStartYearLabel, Text(text::lblStartYear, language));
  dialog.SetText(kLastMonthLabel, Text(text::lblLastMonth, language));
  dialog.SetText(kLastYearLabel, Text(text::lblLastYear, language));
  dialog.SetText(kMaxMonthsLabel, lblMaxMonths(language));
  dialog.SetText(kDayShapesLabel, Text(text::lblDayShapes, language));
  dialog.SetText(kSaveSettingsBox, Text(text::lblSaveSettings, language));
  dialog.SetText(kCancelButton, Text(text::lblCancel, language));
  dialog.SetText(kAcceptButton, Text(text::lblAccept, language));
  FillLists(dialog, language);
}

class SettingsDialogHandler : public platform::WindowHandler {
 public:
  explicit SettingsDialogHandler(Program& program) : program(program) {}

  void OnInit(Window& dialog) override {
    for (int language = 1; language <= kLanguageCount; ++language) {
      AddLanguageItem(dialog, Text(text::languageNames, language), languageImageList[language - 1]);
    }
    dialog.Select(kLanguageChooser, 0);
    program.settings.languageIndex = 1;
    FillSettingsTexts(dialog, program.settings.languageIndex);
  }

  void OnCommand(Window& dialog, int id, int notification) override {
    // Once accepted the dialog is done, even while the save's error box keeps it on screen: a second
    // Accept would write the settings again and open a second calendar.
    if (accepted) return;
    switch (id) {
      case kLanguageChooser:
        if (notification == platform::kNotifySelectionConfirmed) OnLanguageChosen(dialog);
        break;
      case kSaveSettingsBox:
        saveSettingsChecked = dialog.Checked(kSaveSettingsBox) ? 1 : 0;
        break;
      case kCancelButton:
        if (notification == platform::kNotifyClicked) dialog.End(kCancelled);
        break;
      case kAcceptButton:
        if (notification == platform::kNotifyClicked) OnAccept(dialog);
        break;
      default:
        break;  // the five lists are only read at Accept
    }
  }

  // Closing from the window manager is a Cancel: the program ends without settings.
  void OnCloseRequest(Window& dialog) override {
    if (!accepted) dialog.End(kCancelled);
  }

 private:
  static constexpr int kCancelled = 0;
  static constexpr int kAccepted = 1;

  void OnLanguageChosen(Window& dialog) {
    const int position = dialog.SelectedPosition(kLanguageChooser);
    if (position < 0) return;
    program.settings.languageIndex = position + 1;
    FillSettingsTexts(dialog, program.settings.languageIndex);
  }

  void OnAccept(Window& dialog) {
    Settings& settings = program.settings;
    settings.startMonth = SelectedValue(dialog, kStartMonthList);
    settings.lastMonth = SelectedValue(dialog, kLastMonthList);
    settings.startYearIndex = SelectedValue(dialog, kStartYearList);
    settings.lastYearIndex = SelectedValue(dialog, kLastYearList);
    settings.dayShape = SelectedValue(dialog, kDayShapeList);
    const bool refused = ValidateMonthRange(settings.startMonth, settings.startYearIndex, settings.lastMonth,
                                            settings.lastYearIndex, settings.monthCount);
    if (refused || !AllChosen(settings)) {
      ShowRefusal(settings.languageIndex);
      return;
    }
    accepted = true;
    if (saveSettingsChecked == 1) WriteSettings(program.SettingsPath(), settings);
    dialog.End(kAccepted);
    // The calendar runs inside this handler; when it closes, the program ends.
    OpenMainWindow(program);
  }

  static void ShowRefusal(int language) {
    ShowNotice(std::string(Text(text::msgSelectionError, 1, language)) + "\r\n" +
                   Text(text::msgSelectionError, 2, language),
               language);
  }

  Program& program;
  int saveSettingsChecked = 0;  // 1 when the save box was last seen ticked
  bool accepted = false;        // a valid Accept is being carried out
};

}  // namespace

void ShowSettingsDialog(Program& program) {
  platform::WindowSpec spec;
  spec.caption = "Kalvor";
  spec.units = platform::Units::kPixels;
  spec.clientWidth = kDialogWidth;
  spec.clientHeight = kDialogHeight;
  spec.placement = platform::Placement::kAt;
  spec.x = kDialogX;
  spec.y = kDialogY;
  spec.closeBox = false;
  spec.font = kDialogFont;
  SettingsDialogHandler handler(program);
  Window::RunModal(spec, kSettingsControls, {}, handler);
}

}  // namespace kalvor

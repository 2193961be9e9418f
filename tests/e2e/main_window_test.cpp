// The main window as the user meets it: its frame, menus and commands, driven through the real windows.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/text_tables.h"
#include "platform/files.h"
#include "tests/e2e/main_window_steps.h"

namespace kalvor::testing {
namespace {

TEST(MainWindowE2e, IsAFixedWindowWithTheCalendarViewAndAStatusBar) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  OnMainWindow([](platform::Window& window) {
    EXPECT_EQ(automation::Caption(window), "Kalvor");
    const automation::Geometry client = automation::ClientGeometry(window);
    EXPECT_EQ(client.width, 1204);
    EXPECT_EQ(client.height, 752);
    const automation::Geometry view = automation::ControlGeometry(window, kCalendarViewId);
    EXPECT_EQ(view.x, 5);
    EXPECT_EQ(view.y, 5);
    EXPECT_EQ(view.width, 1195);
    EXPECT_EQ(view.height, 695);
    EXPECT_GT(automation::ControlGeometry(window, kStatusBarId).width, 0);
    const automation::Frame frame = automation::WindowFrame(window);
    EXPECT_TRUE(frame.minimiseBox);
    EXPECT_FALSE(frame.closeBox);
    EXPECT_FALSE(frame.maximiseBox);
    EXPECT_FALSE(frame.resizable);
    const platform::Image& surface = window.ViewSurface(kCalendarViewId);
    EXPECT_EQ(surface.Width(), 1193);
    EXPECT_EQ(surface.Height(), 693);
    // The calendar is drawn before the window shows: the year row's box outline is black.
    EXPECT_EQ(automation::ViewPixel(window, kCalendarViewId, 1, 15), platform::kBlack);
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

// The menus as a user reads them, item by item with their commands, separators as "-".
struct ExpectedMenus {
  int language;
  std::vector<platform::MenuItem> operations;
  std::vector<platform::MenuItem> colours;
  std::string operationsTitle;
  std::string coloursTitle;
};

TEST(MainWindowE2e, MenusListTheirItemsInTheLanguageOfTheSettings) {
  const ExpectedMenus english = {5,
                                 {{1020, "New"},
                                  {0, "-"},
                                  {1022, "Bitmap"},
                                  {0, "-"},
                                  {1033, "Record"},
                                  {0, "-"},
                                  {1024, "Delete settings"},
                                  {0, "-"},
                                  {1025, "Author"},
                                  {0, "-"},
                                  {1026, "Get out"}},
                                 {{1027, "My favorite colors"}},
                                 "Operations",
                                 "Colors"};
  const ExpectedMenus spanish = {1,
                                 {{1020, "Nuevo"},
                                  {0, "-"},
                                  {1022, "Bitmap"},
                                  {0, "-"},
                                  {1033, "Grabar"},
                                  {0, "-"},
                                  {1024, "Borrar configuración"},
                                  {0, "-"},
                                  {1025, "Autor"},
                                  {0, "-"},
                                  {1026, "Salir"}},
                                 {{1027, "Mis colores favoritos"}},
                                 "Operaciones",
                                 "Colores"};
  for (const ExpectedMenus& expected : {english, spanish}) {
    SCOPED_TRACE(expected.language);
    TempFolder folder;
    WriteSettingsFile(folder, TallestRun(expected.language));
    OnMainWindow([&expected](platform::Window& window) {
      const std::vector<platform::Menu> menus = automation::MenuBar(window);
      ASSERT_EQ(menus.size(), 2u);
      EXPECT_EQ(menus[0].title, expected.operationsTitle);
      EXPECT_EQ(menus[1].title, expected.coloursTitle);
      for (const auto& [shown, wanted] : {std::pair{&menus[0].items, &expected.operations},
                                          std::pair{&menus[1].items, &expected.colours}}) {
        ASSERT_EQ(shown->size(), wanted->size());
        for (std::size_t i = 0; i < wanted->size(); ++i) {
          EXPECT_EQ((*shown)[i].id, (*wanted)[i].id) << i;
          EXPECT_EQ((*shown)[i].text, (*wanted)[i].text) << i;
        }
      }
    });
    GetOutAndCloseEverything();
    RunProgram(folder);
  }
}

TEST(MainWindowE2e, DeleteSettingsRemovesBothFilesConfirmsAndGreysItself) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun(1));
  WriteBytes(folder.File("mark.log"), {});
  std::vector<automation::SeenMessageBox> seen;
  OnMainWindow(
      [](platform::Window& window) { EXPECT_TRUE(automation::MenuItemEnabled(window, kCmdDeleteSettings)); });
  Menu(kCmdDeleteSettings);
  AnswerBox(seen);
  OnMainWindow([&](platform::Window& window) {
    EXPECT_FALSE(automation::MenuItemEnabled(window, kCmdDeleteSettings));
    EXPECT_FALSE(Exists(folder.File("settings.log")));
    EXPECT_FALSE(Exists(folder.File("mark.log")));
  });
  // Greyed, it does nothing.
  Menu(kCmdDeleteSettings);
  ExpectNoBox();
  GetOutAndCloseEverything();
  RunProgram(folder);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Fichero borrado");
  EXPECT_EQ(seen[0].caption, "Programador");
  EXPECT_EQ(seen[0].buttons, std::vector<std::string>{"OK"});
  EXPECT_FALSE(seen[0].hasIcon);
}

// Something else removed the settings file while the program ran: nothing deleted, nothing confirmed.
TEST(MainWindowE2e, DeleteSettingsConfirmsNothingWhenTheSettingsFileWasAlreadyGone) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  WriteBytes(folder.File("mark.log"), {});
  OnMainWindow([&folder](platform::Window&) { std::filesystem::remove(folder.File("settings.log")); });
  Menu(kCmdDeleteSettings);
  ExpectNoBox();
  OnMainWindow([&folder](platform::Window& window) {
    EXPECT_FALSE(automation::MenuItemEnabled(window, kCmdDeleteSettings));
    EXPECT_FALSE(Exists(folder.File("mark.log")));
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

TEST(MainWindowE2e, RecordAfterDeleteSettingsWritesBothFilesAndEnablesTheItemAgain) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  std::vector<automation::SeenMessageBox> seen;
  Menu(kCmdDeleteSettings);
  AnswerBox(seen);
  Menu(kCmdRecord);
  ExpectNoBox();
  OnMainWindow(
      [](platform::Window& window) { EXPECT_TRUE(automation::MenuItemEnabled(window, kCmdDeleteSettings)); });
  GetOutAndCloseEverything();
  RunProgram(folder);

  const std::vector<std::uint8_t> settings = ReadBytes(folder.File("settings.log"));
  ASSERT_EQ(settings.size(), 32u);
  const std::int32_t newId = static_cast<std::int32_t>(Get32(settings, 28));
  EXPECT_GE(newId, 111111);
  EXPECT_LE(newId, 999999);
  EXPECT_EQ(Get32(settings, 0), 12u);  // the settings in memory, written anew
  EXPECT_EQ(Get32(settings, 20), 20u);
  const std::vector<std::uint8_t> marks = ReadBytes(folder.File("mark.log"));
  ASSERT_EQ(marks.size(), 20u * 868);
  for (std::size_t at = 16; at < marks.size(); at += 28)
    ASSERT_EQ(Get32(marks, at), static_cast<std::uint32_t>(newId));
}

TEST(MainWindowE2e, AuthorShowsFourLinesInTheLanguage) {
  for (const auto& [language, expected] :
       {std::pair{1, "Programa realizado por :\r\nDremil\r\nVisitame en :\r\nhttps://kalvor.example.org/"},
        std::pair{5, "Program performed by :\r\nDremil\r\nVisit me in :\r\nhttps://kalvor.example.org/"}}) {
    TempFolder folder;
    WriteSettingsFile(folder, TallestRun(language));
    Menu(kCmdAuthor);
    const automation::SeenMessageBox box = RunAnsweringOneBox(folder);
    EXPECT_EQ(box.text, expected);
    EXPECT_EQ(box.caption, Text(text::ttlMessageBox, language));
  }
}

TEST(MainWindowE2e, GetOutAndACloseRequestEndTheProgramWithoutAsking) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  ClickView(240, 45);
  OnMainWindow([](platform::Window& window) { automation::RequestClose(window); });
  RunProgram(folder);
  EXPECT_TRUE(automation::OpenWindowCaptions().empty());
  // Nothing was recorded on the way out.
  EXPECT_FALSE(Exists(folder.File("mark.log")));
}

}  // namespace
}  // namespace kalvor::testing

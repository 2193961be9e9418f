#include <gtest/gtest.h>

#include "mainwindow/main_commands.h"
#include "mainwindow/main_window.h"

namespace kalvor {
namespace {

TEST(BuildMainMenu, OperationsReadNewBitmapRecordWithFiveSeparators) {
  const std::vector<platform::Menu> menus = BuildMainMenu(5);
  ASSERT_EQ(menus.size(), 2u);
  EXPECT_EQ(menus[0].title, "Operations");
  const std::vector<std::pair<int, std::string>> expected = {
      {1020, "New"},    {0, "-"}, {1022, "Bitmap"},          {0, "-"},
      {1033, "Record"}, {0, "-"}, {1024, "Delete settings"}, {0, "-"},
      {1025, "Author"}, {0, "-"}, {1026, "Get out"}};
  ASSERT_EQ(menus[0].items.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(menus[0].items[i].id, expected[i].first) << i;
    EXPECT_EQ(menus[0].items[i].text, expected[i].second) << i;
  }
  EXPECT_EQ(menus[1].title, "Colors");
  ASSERT_EQ(menus[1].items.size(), 1u);
  EXPECT_EQ(menus[1].items[0].id, 1027);
  EXPECT_EQ(menus[1].items[0].text, "My favorite colors");
}

TEST(BuildMainMenu, FollowsTheLanguage) {
  const std::vector<platform::Menu> german = BuildMainMenu(4);
  EXPECT_EQ(german[0].title, "Geschäftstätigkeit");
  EXPECT_EQ(german[0].items.back().text, "Aussteigen");
  EXPECT_EQ(german[1].title, "Farben");
  const std::vector<platform::Menu> spanish = BuildMainMenu(1);
  EXPECT_EQ(spanish[0].title, "Operaciones");
  EXPECT_EQ(spanish[0].items[4].text, "Grabar");
  EXPECT_EQ(spanish[0].items[6].text, "Borrar configuración");
  EXPECT_EQ(spanish[1].items[0].text, "Mis colores favoritos");
}

TEST(AuthorMessage, FourLinesWhereOnlyTheLabelledOnesChangeWithTheLanguage) {
  EXPECT_EQ(AuthorMessage(1),
            "Programa realizado por :\r\nDremil\r\nVisitame en :\r\nhttps://kalvor.example.org/");
  EXPECT_EQ(AuthorMessage(5),
            "Program performed by :\r\nDremil\r\nVisit me in :\r\nhttps://kalvor.example.org/");
}

}  // namespace
}  // namespace kalvor

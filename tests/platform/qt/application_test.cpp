// The toolkit takes nothing from the command line or the environment that changes how the program looks.
// CTest runs this once more with "-reverse -style windows" on the command line and a style asked for in
// the environment.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStyle>

#include "platform/qt/fonts.h"

namespace kalvor::testing {
namespace {

TEST(ApplicationTest, KeepsItsOwnStyleDirectionAndFontWhateverItIsGiven) {
  EXPECT_EQ(QApplication::arguments(), QStringList{QStringLiteral("kalvor")});
  EXPECT_EQ(QApplication::style()->name(), QStringLiteral("fusion"));
  EXPECT_EQ(QApplication::layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(QApplication::font(), platform::qt::MakeQFont({"MS Sans Serif", 8, false}));
}

}  // namespace
}  // namespace kalvor::testing

// The window on a desktop with a dark colour scheme keeps its designed light look: readable dark
// text on every control, light input boxes, lists and statement. CTest runs it under GNOME's
// dark style through Qt's GTK platform theme, on a virtual display.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QTest>
#include <cmath>
#include <string>

#include "desktop/program.h"
#include "window/layout.h"

namespace {

// Relative luminance of an sRGB colour, as WCAG defines it.
double Luminance(const QColor& colour) {
  const auto linear = [](double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
         0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(DarkDesktop, EveryControlKeepsReadableTextOnItsDesignedBackground) {
  ASSERT_LT(Luminance(QApplication::palette().color(QPalette::Window)), 0.5)
      << "the desktop's colour scheme should be dark here";
  // A desktop may also hand the application a dark palette of its own before the window exists.
  QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x24, 0x24, 0x24));
  dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
  for (const QPalette::ColorRole role :
       {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    dark.setColor(role, QColor(0xEE, 0xEE, 0xEE));
  }
  QApplication::setPalette(dark);
  desktop::SetUpApplication();
  desktop::Program program;
  program.Start();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.view));

  using window::layout::Kind;
  for (const window::layout::Control& control : window::layout::kControls) {
    if (control.kind == Kind::kPicture) continue;  // no text to read
    SCOPED_TRACE(std::string(control.name) + "(" + std::to_string(control.index) + ")");
    QWidget* widget = program.view.Control(control.name, control.index);
    auto* area = qobject_cast<QAbstractScrollArea*>(widget);
    const QWidget* surface = area != nullptr ? area->viewport() : widget;
    const QPalette& palette = surface->palette();
    const QColor text = palette.color(QPalette::Active, surface->foregroundRole());
    const QColor background = palette.color(QPalette::Active, surface->backgroundRole());
    EXPECT_GE(Contrast(text, background), 4.5)
        << text.name().toStdString() << " on " << background.name().toStdString();
    if (!control.colour) {
      EXPECT_GT(Luminance(background), 0.5);
    }
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);  // takes the desktop's colour scheme
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

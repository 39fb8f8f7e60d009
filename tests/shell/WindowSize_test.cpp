// The size the player left the window at comes back next time: "window.dat"
// read, checked and fitted to the desktop, and written at the end of a run.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/TempDir.h"
#include "diag/Logs.h"
#include "platform/headless/Headless.h"
#include "shell/Startup.h"
#include "storage/WindowFile.h"

namespace bm {
namespace {

// A window the player has dragged about (the headless one has no size of its own).
class DraggedWindow : public HeadlessWindow {
 public:
  using HeadlessWindow::HeadlessWindow;
  WindowPlacement Placement() override { return placement; }
  void Place(const WindowPlacement& p) override { placement = p, placed = true; }
  WindowPlacement placement;
  bool placed = false;
};

TEST(WindowFile, OnlyASaneRecordIsTakenKeptAtTheEndOfARunAndGivenBackAtTheNext) {
  WindowRecord r{1500, 1000, -1};
  std::string bytes = SerializeWindowRecord(r);
  ASSERT_EQ(bytes.size(), kWindowRecordSize);
  EXPECT_EQ(ParseWindowRecord(bytes), r);
  EXPECT_FALSE(ParseWindowRecord(bytes.substr(1)));
  EXPECT_FALSE(ParseWindowRecord(bytes + "x"));
  for (WindowRecord bad : {WindowRecord{100, 1000, 0}, WindowRecord{1500, 0, 0}, WindowRecord{-5, 900, 0},
                           WindowRecord{1500, 99999, 0}, WindowRecord{1500, 1000, 1}})
    EXPECT_FALSE(ParseWindowRecord(SerializeWindowRecord(bad))) << bad.Width << "x" << bad.Height;
  WindowRecord fitted = FitWindowRecord({2500, 900, 0}, 1920, 1080);
  EXPECT_EQ(std::pair(fitted.Width, fitted.Height), std::pair(1920, 900)) << "a smaller desktop than last time";

  // Kept at the end of a run and given back at the next.
  test::TempDir dir;
  Logs logs(dir.str());
  VirtualClock clock;
  DraggedWindow first(clock);
  first.placement = {2500, 700, true};
  KeepWindowPlacement(first, dir.str(), logs);
  DraggedWindow second(clock);
  PlaceWindowAsLeft(second, dir.str(), logs);
  ASSERT_TRUE(second.placed);
  EXPECT_EQ(std::tuple(second.placement.width, second.placement.height, second.placement.maximised),
            std::tuple(1920, 700, true)) << "fitted to this desktop";

  DraggedWindow never(clock);  // a run that never showed a window keeps the file as it was
  KeepWindowPlacement(never, dir.str(), logs);
  EXPECT_EQ(LoadWindowRecord(dir.str(), logs), (WindowRecord{2500, 700, -1}));

  std::ofstream(dir.path / kWindowFileName) << "garbage";
  DraggedWindow third(clock);
  PlaceWindowAsLeft(third, dir.str(), logs);
  EXPECT_FALSE(third.placed) << "a damaged file: the resolution's own size";
  EXPECT_NE(test::ReadText(dir.path / "run.log").find("window.dat\" damaged"), std::string::npos);
}

}  // namespace
}  // namespace bm

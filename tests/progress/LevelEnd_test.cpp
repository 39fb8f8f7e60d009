// The level-end flip, the time-up caption with its lives rule, and the board's flight.
#include <gtest/gtest.h>

#include "progress/BoardFlight.h"
#include "progress/LevelEnd.h"

namespace bm {
namespace {

TEST(LevelEndFlip, EighteenStepsThenTheEndAndBackwardsWithoutTheTip) {
  LevelEndFlip f;
  StartFlip(f, 1000);
  EXPECT_TRUE(f.running);
  std::vector<int> scales;
  int calls = 0;
  FlipEnd end = FlipEnd::None;
  while (end == FlipEnd::None && calls < 100) {
    end = FlipStep(f, 1, 1000 + 30.0 * ++calls);
    scales.push_back(f.scale);
  }
  EXPECT_EQ(calls, 18) << "18 steps of 30 ms";
  EXPECT_EQ(std::tuple(end, f.running, f.step), std::tuple(FlipEnd::Forward, false, 1));
  EXPECT_EQ(scales[8], 18) << "step 10: the board edge-on";
  EXPECT_EQ(scales[0], int(17 * std::sin(10 * 3.14159265358979 / 180)) + 1);
  for (int s : scales) EXPECT_TRUE(s >= 1 && s <= 18) << s;
  // A closed tip steps back below 1: the end again, this time without the tip.
  EXPECT_EQ(FlipStep(f, -1, 2000), FlipEnd::Back);
  EXPECT_EQ(f.step, 18);
  ResetFlip(f);
  EXPECT_EQ(f.step, 1);
  EXPECT_EQ(f.scale, 1);
  EXPECT_FALSE(f.running);
}

// Runs one caption to its end at a steady frame rate; returns the frames taken.
int RunCaption(TimeUpOverlay& o, int& lives, TimeUpEnd& end, std::vector<std::string>& cues, double ff = 1) {
  int frames = 0;
  end = TimeUpEnd::None;
  while (end == TimeUpEnd::None && frames < 10000) {
    TimeUpStep s = StepTimeUp(o, lives, ff);
    if (s.cue) cues.push_back(s.cue);
    end = s.end;
    ++frames;
  }
  return frames;
}

TEST(TimeUp, ThreeLivesGiveFourTimeUpsTheLastEndsTheGameAndTheCaptionRisesAndFades) {
  TimeUpOverlay o;
  int lives = 3;
  TimeUpEnd end;
  std::vector<std::string> cues;
  for (int expectLives : {2, 1, 0}) {
    RunCaption(o, lives, end, cues);
    EXPECT_EQ(std::tuple(end, lives, o.gameOver, o.t), std::tuple(TimeUpEnd::Restart, expectLives, false, 0.0));
  }
  RunCaption(o, lives, end, cues);
  EXPECT_EQ(end, TimeUpEnd::GameOverShown) << "the fourth time-up";
  EXPECT_EQ(lives, 0) << "never below zero";
  EXPECT_TRUE(o.gameOver);
  EXPECT_EQ(CaptionOf(o).text, "GAME OVER");
  RunCaption(o, lives, end, cues);
  EXPECT_EQ(end, TimeUpEnd::GameOver);
  EXPECT_FALSE(o.gameOver);
  EXPECT_EQ(cues, (std::vector<std::string>{"complete_timeisup", "complete_timeisup", "complete_timeisup",
                                            "complete_timeisup", "complete_gameover"}))
      << "one cue at the start of each caption";
  // The caption rises and fades in and out whatever the frame rate.
  TimeUpOverlay caption;
  int livesLeft = 3;
  TimeUpEnd captionEnd;
  std::vector<std::string> captionCues;
  int slow = RunCaption(caption, livesLeft, captionEnd, captionCues, 2.0);
  livesLeft = 3;
  int fast = RunCaption(caption, livesLeft, captionEnd, captionCues, 0.5);
  EXPECT_NEAR(fast, 4 * slow, slow) << "the rise follows the clock, not the frames";

  // It rises from the bottom edge to the middle, fading in, then fades out.
  OverlayCaption c = CaptionOf(TimeUpOverlay{0, false});
  EXPECT_EQ(c.text, "TIME IS UP");
  EXPECT_EQ(c.cy, 1024);
  EXPECT_EQ(c.alpha, 0);
  c = CaptionOf(TimeUpOverlay{1.0, false});
  EXPECT_EQ(c.cy, 512);
  EXPECT_EQ(c.alpha, 255);
  EXPECT_EQ(CaptionOf(TimeUpOverlay{1.5, true}).alpha, 512 - 382) << "1.5 x 255 = 382.5, the half to the even 382";
  EXPECT_EQ(CaptionOf(TimeUpOverlay{2.0, false}).alpha, 2) << "512 - 510";
  EXPECT_EQ(CaptionOf(TimeUpOverlay{2.5, false}).alpha, 0);
}

TEST(BoardFlight, CellsFlyHomeAndOut) {
  Cells cells;
  for (int i = 0; i < kCellCount; ++i) {
    cells[i].IsExists = i % 3 != 0;
    cells[i].CenterX = (i % 11) * 50.0;
    cells[i].CenterY = (i / 11) * 40.0;
  }
  ScreenMetrics m = ScreenMetrics::For(1280, 1024);
  for (int direction : {1, 0}) {
    Rng rng(7);
    BoardFlight f = SetUpFlight(cells, m, direction, rng);
    int steps = 0;
    while (!StepFlight(f, m) && steps < 5000) ++steps;
    EXPECT_LT(steps, 1000) << "a few seconds of 10 ms steps, direction " << direction;
    for (int i = 0; i < kCellCount; ++i) {
      if (!cells[i].IsExists) continue;
      const FlightPoint &p = f.pos[std::size_t(i)], &t = f.target[std::size_t(i)];
      EXPECT_NEAR(p.x, t.x, 0.5);
      EXPECT_NEAR(p.y, t.y, 0.5);
      if (direction == 1) {
        EXPECT_NEAR(p.x * m.XPercent, m.CellScreenX(cells[i].CenterX), 0.5 * m.XPercent);
      }
    }
  }
}

}  // namespace
}  // namespace bm

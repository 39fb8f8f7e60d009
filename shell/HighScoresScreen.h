// The high-score table. Keys: Left/Right (or Tab) pick "BACK" or "RESET",
// Enter or Space presses it, Escape closes.
#pragma once
#include <functional>

#include "render/RosterDraw.h"
#include "shell/ScreenKit.h"
#include "shell/Screen.h"
#include "storage/HighScores.h"

namespace bm {

// The table with "BACK" and "RESET" (which asks first). reset resets and saves
// the table; without it the table is reset in memory and save is called.
class HighScoresScreen : public Screen {
 public:
  HighScoresScreen(HighScoreTable& table, std::function<void()> save, std::function<void()> reset = {})
      : table_(table), save_(std::move(save)), reset_(std::move(reset)) {}
  const char* Name() const override { return "HighScores"; }
  Next Enter(Stage& s) override;
  Next Pass(Stage& s) override;
  OnScreen Shows(const ScreenMetrics& m) const override;
  Next Resume(Stage& s, Answer answer) override;
  void DrawBehind(Stage& s) override;
  Answer Closing(Stage& s) override { return HandBack(s); }

 private:
  Next Draw(Stage& s, bool force);
  HighScoreTable& table_;
  std::function<void()> save_, reset_;
  KeyEdge left_, right_, tab_, enter_, space_;
  ClickEdge click_;
  int focus_ = scores::Back, hover_ = 0, shownHover_ = -1, shownFocus_ = -1;
};

}  // namespace bm

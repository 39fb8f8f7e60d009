// The name box: a player's name typed (or picked with the arrows) and taken by
// "OK"; "CANCEL" closes it without a name.
#pragma once
#include <string>

#include "shell/InputRouter.h"
#include "shell/ScreenKit.h"
#include "shell/Screen.h"

namespace bm {

// What the name box pops with: Given, with the name in *name, when "OK" took a
// non-empty name; else Cancelled ("CANCEL", Escape, the program ending).
enum class NameAnswer { Given, Cancelled };

// The name box. Escape acts as "CANCEL" only when escapeAllowed.
class NameBoxScreen : public Screen {
 public:
  NameBoxScreen(std::string* name, bool escapeAllowed) : name_(name), escapeAllowed_(escapeAllowed) {}
  const char* Name() const override { return "NameBox"; }
  Next Enter(Stage& s) override;
  Next Pass(Stage& s) override;
  OnScreen Shows(const ScreenMetrics& m) const override;
  Answer Closing(Stage& s) override { return Leave(s, NameAnswer::Cancelled); }

 private:
  Answer Leave(Stage& s, NameAnswer answer);
  std::string* name_;
  bool escapeAllowed_;
  NameEntry box_;
  KeyEdge enter_;
  ClickEdge click_;
  std::string warning_, shownText_ = "\x01", shownWarning_;
  int shownHover_ = -1;
};

}  // namespace bm

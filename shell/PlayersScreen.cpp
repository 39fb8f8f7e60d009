#include "shell/PlayersScreen.h"

#include <algorithm>
#include <memory>
#include "lang/Tr.h"

#include "diag/LogTags.h"
#include "shell/DialogScreen.h"
#include "shell/NameBoxScreen.h"
#include "shell/Services.h"

namespace bm {

namespace {

// TRANSLATORS: Players, name box, high scores: red message under the list (render/RosterDraw.cpp:92), size 0.32, 2
// lines of 1075 px. Ten players is the most. Room: plenty (twice the English length or more); at most 2 lines.
const char* kNoRoom = TrNoop("There is no room for a new player name.|You should delete one first!");

}  // namespace

Next PlayersScreen::Enter(Stage& s) {
  s.logs.WriteRunPoint(logtag::kPlayersLoop, "Begin");
  FreshKeys(s.in());
  return Next::Stay();
}

Next PlayersScreen::Pass(Stage& s) {
  Input& in = s.in();
  if (EscapePressed(s.loop.Input, in)) return Next::Pop(HandBack(s));
  if (ScreenMinimised(s)) return Next::Stay(s.Now() + 100);
  std::vector<int> listed = ListedPlayers(players_);
  int items = int(listed.size()) + 2;
  pointer_ = in.Pointer();
  if (PointerMoved(lastPointer_, pointer_)) focusIndex_ = -1;
  bool upKey = up_.Take(in), downKey = TakeAny(in, down_, tab_);
  if (upKey) focusIndex_ = focusIndex_ <= 0 ? items - 1 : focusIndex_ - 1;
  if (downKey) focusIndex_ = focusIndex_ < 0 || focusIndex_ >= items - 1 ? 0 : focusIndex_ + 1;
  focusIndex_ = std::min(focusIndex_, items - 1);
  if (right_.Take(in)) onDeleteMark_ = true;
  if (left_.Take(in)) onDeleteMark_ = false;
  focus_ = {};
  if (focusIndex_ >= 0 && focusIndex_ < int(listed.size()))
    focus_ = {onDeleteMark_ ? roster::Delete : roster::Line, listed[std::size_t(focusIndex_)]};
  else if (focusIndex_ == items - 2) focus_ = {roster::Add, 0};
  else if (focusIndex_ == items - 1) focus_ = {roster::Ok, 0};
  hover_ = RosterHitAt(s.look.metrics, players_, pointer_.x, pointer_.y);
  HoverSound(s.sound.sfx, hover_.kind != roster::None);
  RosterHit act;
  if (click_.Take(s)) act = hover_;
  if (TakeAny(in, enter_, space_)) act = focus_.kind ? focus_ : RosterHit{roster::Ok, 0};
  if (TakeAny(in, del_, dKey_) && focus_.kind != roster::None && focus_.slot > 0)
    act = {roster::Delete, focus_.slot};
  if (act.kind == roster::None) return Draw(s, false);
  ClickSound(s.sound.sfx);
  message_.clear();
  askedSlot_ = act.slot;
  switch (act.kind) {
    case roster::Line: players_.SetCurrent(act.slot); break;
    case roster::Delete: {
      const std::string& name = players_.slot[std::size_t(act.slot)].Name;
      return Next::Push(std::make_unique<DialogScreen>(DialogFor(Question::DeletePlayer, name), this));
    }
    case roster::Add: {
      askedSlot_ = 0;
      for (int slot = kFirstPlayer; slot <= kLastPlayer && !askedSlot_; ++slot)
        if (players_.slot[std::size_t(slot)].Name.empty()) askedSlot_ = slot;
      if (!askedSlot_) {
        message_ = Tr(kNoRoom);
        break;
      }
      newName_.clear();
      return Next::Push(std::make_unique<NameBoxScreen>(&newName_, true));
    }
    case roster::Ok:
      if (save_) save_();
      return Next::Pop(HandBack(s));
    default: break;
  }
  return Acted(s);
}

Next PlayersScreen::Resume(Stage& s, Answer answer) {
  const int slot = askedSlot_;
  if (answer == DeleteAnswer::Delete) {
    ClearPlayer(players_.slot[std::size_t(slot)]);
    if (forgetBoard_) forgetBoard_(slot);
    if (save_) save_();
    s.logs.WriteRunLog(logtag::kPlayersLoop, "Player in slot " + std::to_string(slot) + " deleted");
  }
  if (answer == NameAnswer::Given) {
    MakeNewPlayer(players_.slot[std::size_t(slot)], newName_);
    players_.SetCurrent(slot);
    if (save_) save_();
  }
  message_.clear();
  return Acted(s);
}

Next PlayersScreen::Acted(Stage& s) {
  // A key that answered a dialog or closed the name box must not act here too.
  FreshKeys(s.in());
  return Draw(s, true);
}

void PlayersScreen::FreshKeys(Input& in) {
  up_ = KeyEdge(vk::Up, in), down_ = KeyEdge(vk::Down, in), tab_ = KeyEdge(vk::Tab, in);
  enter_ = KeyEdge(vk::Enter, in), space_ = KeyEdge(vk::Space, in), del_ = KeyEdge(vk::Delete, in);
  dKey_ = KeyEdge('D', in), left_ = KeyEdge(vk::Left, in), right_ = KeyEdge(vk::Right, in);
  click_ = ClickEdge(in);
  onDeleteMark_ = false;
}

Next PlayersScreen::Draw(Stage& s, bool force) {
  if (s.loop.Redraw || !(hover_ == shownHover_) || !(focus_ == shownFocus_) || message_ != shownMessage_ || force) {
    s.loop.Redraw = false;
    shownHover_ = hover_;
    shownFocus_ = focus_;
    shownMessage_ = message_;
    if (s.look.drawing) DrawPlayersScreen(s.look.canvas, s.look.font, players_, hover_, focus_, message_, pointer_);
    s.loop.SceneDirty = true;
  }
  return StayForInput(s);
}

OnScreen PlayersScreen::Shows(const ScreenMetrics& m) const {
  OnScreen o{ScreenKind::Players};
  o.Add(ButtonMeaning::Ok, RosterButtonRect(m, roster::Ok));
  o.Add(ButtonMeaning::AddPlayer, RosterButtonRect(m, roster::Add));
  return o;
}

void PlayersScreen::DrawBehind(Stage& s) { DrawPlayersScreen(s.look.canvas, s.look.font, players_, {}, {}, "", {}); }

}  // namespace bm

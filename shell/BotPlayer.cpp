#include "shell/BotPlayer.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <string>

#include "bot/Autoplay.h"
#include "match/Match.h"
#include "progress/ShopRules.h"
#include "render/MenuScreen.h"
#include "render/ShopLayout.h"
#include "shell/InputSource.h"
#include "shell/Services.h"
#include "storage/ItemStatus.h"

namespace bm {

namespace {

// The bot's hand between levels and on the credits: a short script of pointer
// places and button states, each held for a while, played back pass by pass.
class Hand {
 public:
  // Point at (x, y), press, release.
  void Click(double x, double y) {
    steps_.push_back({x, y, false, 80});
    steps_.push_back({x, y, true, 60});
    steps_.push_back({x, y, false, 80});
  }
  // Press at the first place, carry to the second, release there.
  void Drag(double x0, double y0, double x1, double y1) {
    steps_.push_back({x0, y0, false, 80});
    steps_.push_back({x0, y0, true, 80});
    steps_.push_back({(x0 + x1) / 2, (y0 + y1) / 2, true, 80});
    steps_.push_back({x1, y1, true, 80});
    steps_.push_back({x1, y1, false, 80});
  }
  // Keep the pointer where it is, buttons up, for a while.
  void Wait(double ms) { steps_.push_back({0, 0, false, ms, true}); }
  bool Idle() const { return steps_.empty(); }
  void Clear() {
    steps_.clear();
    stepStart_ = -1;
  }
  // What the pointer and buttons do now.
  PointerFeed Step(double now) {
    while (!steps_.empty()) {
      Hold& h = steps_.front();
      if (stepStart_ < 0) {
        stepStart_ = now;
        if (!h.keepPlace) feed_ = {h.x, h.y, h.left, false};
        else feed_.left = false;
      }
      // Each held state lasts at least one pass, so the screen sees every press and release.
      if (now - stepStart_ < h.ms || now == stepStart_) return feed_;
      steps_.pop_front();
      stepStart_ = -1;
    }
    return feed_;
  }

 private:
  struct Hold {
    double x = 0, y = 0;
    bool left = false;
    double ms = 0;
    bool keepPlace = false;
  };
  std::deque<Hold> steps_;
  PointerFeed feed_{-1, -1, false, false};
  double stepStart_ = -1;
};

PointD Centre(const IRect& r) { return {(r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0}; }

// The screens of the main menu the bot looks at, in turn, before it plays.
constexpr ButtonMeaning kTour[] = {ButtonMeaning::Options, ButtonMeaning::HowToPlay, ButtonMeaning::HighScores,
                                   ButtonMeaning::ChangePlayer};

bool OpensFromTheMenu(ScreenKind k) {
  return k == ScreenKind::Options || k == ScreenKind::HowToPlay || k == ScreenKind::HighScores ||
         k == ScreenKind::Players;
}

bool FromPlay(ScreenKind k) {
  return k == ScreenKind::Play || k == ScreenKind::FlyIn || k == ScreenKind::FlyOut || k == ScreenKind::Map ||
         k == ScreenKind::Shop || k == ScreenKind::Credits || k == ScreenKind::Away;
}

AutoplayOptions BoardBotOptions(const RunOptions& o, bool headless) {
  AutoplayOptions b;
  b.thinkMs = o.thinkMs;
  // With a window the moves are paced for a person to follow.
  if (!headless) {
    b.holdMs = 60;
    b.moveMs = 250;
  }
  b.seed = o.seed + 1;
  return b;
}

class BotPlayer final : public InputSource {
 public:
  BotPlayer(Input& real, Window& window, const RunOptions& o, bool headless)
      : real_(real),
        window_(window),
        headless_(headless),
        leaveAfterMs_(o.botLeaveSeconds * 1000.0),
        newGameAsked_(o.level > 0 && o.botLeaveSeconds <= 0),
        board_(BoardBotOptions(o, headless)) {}

  bool KeyDown(int key) override { return (key == vk::Escape && escape_) || real_.KeyDown(key); }
  bool ButtonDown(int button) override {
    if (!active_) return real_.ButtonDown(button);
    return button == 1 ? feed_.left : button == 2 ? feed_.right : false;
  }
  PointD Pointer() override { return active_ ? PointD{feed_.x, feed_.y} : real_.Pointer(); }
  void StartTextInput() override { real_.StartTextInput(); }
  void StopTextInput() override { real_.StopTextInput(); }
  std::string TakeTypedText() override {
    std::string typed = real_.TakeTypedText() + typed_;
    typed_.clear();
    return typed;
  }

  void BeforePass(const OnScreen& o, double now) override;
  double Settled(const OnScreen& o, double now) override;
  void Gone(const OnScreen& o) override {
    // What the hand held between levels or on the credits is let go with the screen.
    if (o.kind == ScreenKind::Map || o.kind == ScreenKind::Shop || o.kind == ScreenKind::Credits)
      Feed({-1, -1, false, false});
  }

 private:
  // A screen came on top (a new one, or one back from a screen it opened).
  void Notice(const OnScreen& o, double now);
  void Arrive(const OnScreen& o, bool fresh, double now);
  void Feed(const PointerFeed& f);
  // The pointer rests on the button's centre and the finger presses it.
  void Press(const ShownButton* b, BotFinger& f, double now);
  // On the main menu with nothing planned: "Play" (or the next screen to look at) a moment later.
  void AimAtMenu(double now);
  Answer AnswerTo(Question q) const;
  void BetweenLevels(const OnScreen& o, double now);
  // The next drops in the shop; false when nothing is left worth doing.
  bool PlanShopMoves(const OnScreen& o);

  Input& real_;
  Window& window_;
  bool headless_;
  double leaveAfterMs_;
  bool newGameAsked_;  // a level asked for on the command line: the saved game is given up
  Autoplay board_;
  bool active_ = false;
  PointerFeed feed_{-1, -1, false, false};
  bool escape_ = false;
  std::string typed_;
  BotFinger menu_;    // on the main menu
  BotFinger finger_;  // on the other menu screens and the dialogs
  int tour_ = 0;      // how many of the menu's screens it has looked at
  Hand hand_;
  bool shopSeen_ = false;
  double playSince_ = 0;  // when play began on this visit from the menu
  long visit_ = 0, newest_ = 0;  // the screen on top, the newest one seen
  ScreenKind kind_ = ScreenKind::Other;
  std::optional<Question> question_;
  int page_ = 0;
};

void BotPlayer::Feed(const PointerFeed& f) {
  // In a window the cursor follows the bot, so a person watching sees each move.
  if (!headless_ && (f.x != feed_.x || f.y != feed_.y)) window_.WarpPointer(f.x, f.y);
  feed_ = f;
}

void BotPlayer::Press(const ShownButton* b, BotFinger& f, double now) {
  if (!b) return;
  PointD c = Centre(b->rect);
  Feed({c.x, c.y, f.Step(now, feed_.left), false});
}

void BotPlayer::AimAtMenu(double now) {
  Feed({-1, -1, false, false});
  menu_.PressAt(now + 300);
}

Answer BotPlayer::AnswerTo(Question q) const {
  switch (q) {
    case Question::ContinueOrNew:
      return newGameAsked_ ? Answer(ContinueAnswer::NewGame) : Answer(ContinueAnswer::Continue);
    case Question::DeletePlayer: return DeleteAnswer::Keep;
    case Question::ResetHighScores: return ResetAnswer::Keep;
    case Question::KeepDisplayChanges: return DisplayAnswer::Apply;
  }
  return {};
}

void BotPlayer::Notice(const OnScreen& o, double now) {
  if (!active_) {
    // The logo and the loading bar are the player's to skip.
    if (o.kind == ScreenKind::Logo || o.kind == ScreenKind::Loading) return;
    active_ = true;
    // The hand starts over "Play", where a player's first click goes.
    PointD c = Centre(MainMenuItemRect(*o.metrics, menu::Play));
    Feed({c.x, c.y, false, false});
    menu_.PressAt(now + 300);
  }
  if (o.visit != visit_) {
    // The menu left for play: the next visit to it aims afresh.
    if (kind_ == ScreenKind::MainMenu && !OpensFromTheMenu(o.kind)) menu_.PressAt(0);
    Arrive(o, o.visit > newest_, now);
    visit_ = o.visit;
    newest_ = std::max(newest_, o.visit);
  } else if (o.kind == ScreenKind::HowToPlay && o.page != page_) {
    finger_.PressAt(now + 300);
  }
  kind_ = o.kind;
  question_ = o.question;
  page_ = o.page;
}

void BotPlayer::Arrive(const OnScreen& o, bool fresh, double now) {
  switch (o.kind) {
    case ScreenKind::NameBox:
      finger_.PressAt(now + 300);
      // The menu after the name box is aimed at afresh.
      menu_.PressAt(0);
      break;
    case ScreenKind::MainMenu:
      if (fresh) {
        // Back from a level it left (--bot-leave): "Play" again a moment later.
        if (leaveAfterMs_ > 0 && FromPlay(kind_)) menu_.PressAt(now + 300);
        else if (menu_.at <= 0) AimAtMenu(now);
      } else if (kind_ == ScreenKind::Dialog && question_ == Question::ContinueOrNew) {
        AimAtMenu(now);  // the question closed with nothing started
      } else {
        ++tour_;  // back from one of the menu's screens: on to the next
        menu_.PressAt(now + 300);
      }
      break;
    case ScreenKind::Options:
    case ScreenKind::Dialog: finger_.PressAt(now + 400); break;
    case ScreenKind::HowToPlay:
    case ScreenKind::HighScores:
    case ScreenKind::Players: finger_.PressAt(now + 300); break;
    case ScreenKind::Play:
      if (fresh) playSince_ = now;
      break;
    case ScreenKind::Map:
    case ScreenKind::Shop:
      if (fresh) {
        hand_.Clear();
        shopSeen_ = false;
      }
      break;
    case ScreenKind::Credits:
      // It reads the credits to the end, then clicks on.
      hand_.Clear();
      hand_.Wait(headless_ ? 31000 : 33000);
      hand_.Click(o.metrics->Width * 0.75, o.metrics->Height * 0.97);
      break;
    default: break;
  }
}

void BotPlayer::BeforePass(const OnScreen& o, double now) {
  Notice(o, now);
  escape_ = false;
  if (!active_) return;
  switch (o.kind) {
    case ScreenKind::MainMenu:
      if (menu_.at > 0) Press(o.Find(tour_ < int(std::size(kTour)) ? kTour[tour_] : ButtonMeaning::Play), menu_, now);
      break;
    case ScreenKind::NameBox:
      if (o.text.empty()) typed_ = "Bot";
      Press(o.Find(ButtonMeaning::Ok), finger_, now);
      break;
    case ScreenKind::Options:
    case ScreenKind::Players: Press(o.Find(ButtonMeaning::Ok), finger_, now); break;
    case ScreenKind::HighScores: Press(o.Find(ButtonMeaning::Back), finger_, now); break;
    case ScreenKind::HowToPlay: {
      const ShownButton* next = o.Find(ButtonMeaning::Next);
      Press(next ? next : o.Find(ButtonMeaning::Done), finger_, now);
      break;
    }
    case ScreenKind::Dialog:
      if (o.question) Press(o.Find(ButtonMeaning::Answer, AnswerTo(*o.question)), finger_, now);
      break;
    case ScreenKind::Play: {
      const Match& m = *o.match;
      // The board bot moves on board frames; the board then reads its hand like a player's.
      if (FrameDue(m, now)) Feed(board_.Step(now, m.cells, m.board, m.metrics, &m.player, m.level.SandLeft));
      escape_ = leaveAfterMs_ > 0 && now - playSince_ >= leaveAfterMs_;
      break;
    }
    case ScreenKind::Map:
    case ScreenKind::Shop: BetweenLevels(o, now); break;
    case ScreenKind::Credits: Feed(hand_.Step(now)); break;
    default: break;
  }
}

double BotPlayer::Settled(const OnScreen& o, double now) {
  Notice(o, now);
  if (!active_) return 0;
  switch (o.kind) {
    case ScreenKind::MainMenu: return menu_.WakeAt(now);
    case ScreenKind::NameBox:
    case ScreenKind::Options:
    case ScreenKind::HowToPlay:
    case ScreenKind::HighScores:
    case ScreenKind::Players:
    case ScreenKind::Dialog: return finger_.WakeAt(now);
    // The board bot moves on the board's frames, the hand on the passes the screen asks for.
    default: return 0;
  }
}

// It looks at the map a moment, spends what it can in the shop, and goes on.
void BotPlayer::BetweenLevels(const OnScreen& o, double now) {
  if (hand_.Idle()) {
    if (o.kind == ScreenKind::Map && !shopSeen_) {
      hand_.Wait(headless_ ? 400 : 1500);
      PointD p = Centre(o.Find(ButtonMeaning::Shop)->rect);
      hand_.Click(p.x, p.y);
      shopSeen_ = true;
    } else if (o.kind == ScreenKind::Shop && PlanShopMoves(o)) {
      // the hand has the next drops to make
    } else {
      PointD p = Centre(o.Find(ButtonMeaning::Continue)->rect);
      hand_.Wait(headless_ ? 200 : 800);
      hand_.Click(p.x, p.y);
    }
  }
  Feed(hand_.Step(now));
}

// It spends like a sensible player: keys open their own locks first, then blue
// stars go to the item with the lowest chance grade, gold stars to the first
// four items with the lowest power grade.
bool BotPlayer::PlanShopMoves(const OnScreen& o) {
  // The shelves as shown, read by the shop's rules.
  const std::size_t slot = std::size_t(o.shopSlot);
  ItemRecord items = o.shop->items[slot], stars = o.shop->stars[slot];
  GradeRecord grades = o.shop->grades[slot];
  const ShopSlot s{items, stars, grades};
  const ScreenMetrics& m = *o.metrics;
  auto drag = [&](const PlacedObject& from, int item) {
    hand_.Drag(from.PosX * m.XScale, from.PosY * m.YScale, ShopItemX(item) * m.XScale, ShopItemY(item) * m.YScale);
  };
  for (int k = 1; k <= kShopItems; ++k) {
    if (Key(s.items, k).Flag == 0) continue;
    for (int item = 1; item <= kShopItems; ++item)
      if (ItemLocked(s, item) && KeyOpens(s, k, item)) {
        drag(Key(s.items, k), item);
        return true;
      }
  }
  for (int star = 1; star <= kGoldStarLast; ++star) {
    if (!(IsBlueStar(star) || IsGoldStar(star)) || s.stars.Object[std::size_t(star)].Flag == 0) continue;
    int best = 0, bestGrade = kMaxGrade + 1;
    for (int item = 1; item <= kShopItems; ++item) {
      if (!StarRaises(s, star, item)) continue;
      int grade = IsBlueStar(star) ? s.grades.ChanceGrade[std::size_t(item)] : s.grades.PowerGrade[std::size_t(item)];
      if (grade < bestGrade) best = item, bestGrade = grade;
    }
    if (best) {
      drag(s.stars.Object[std::size_t(star)], best);
      return true;
    }
  }
  return false;
}

}  // namespace

void StartBotPlayer(Services& s) {
  Platform& p = s.platform;
  // Tips are for people: the bot's games show none.
  s.options.noTips = true;
  s.inputSource = std::make_unique<BotPlayer>(*p.input, *p.window, s.options, p.headless);
  p.input = s.inputSource.get();
}

}  // namespace bm

#include "shell/MainMenuScreen.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <memory>

#include "shell/HighScoresScreen.h"
#include "shell/HowToPlayScreen.h"
#include "shell/OptionsScreen.h"
#include "shell/PlayersScreen.h"
#include "shell/SaveHooks.h"
#include "shell/ScreenKit.h"
#include "shell/Services.h"
#include "storage/BoardFile.h"

namespace bm {

namespace {
// Who is playing, from the players file: the menu greets them.
std::string CurrentPlayerName(Saves& s) {
  SaveFolder folder = s.Folder();
  SaveData data;
  LoadPlayers(folder, data);
  return data.players.CurrentRecord().Name;
}
}  // namespace

Next MainMenuScreen::Enter(Stage& s) {
  view_.player = CurrentPlayerName(services_.saves);
  s.loop.Redraw = true;
  s.sound.music.FadeMusAll(-0.01, 0);
  s.sound.music.PlayMusic(0, 0.05, 0, false);
  return Next::Stay();
}

Next MainMenuScreen::Pass(Stage& s) {
  Input& in = s.in();
  InputRouter& input = s.loop.Input;
  const ScreenMetrics& m = s.look.metrics;
  if (s.window().IsMinimised()) {
    s.sound.music.PauseMusAll();
    return Next::Stay(Next::kOnInput);  // shown again: an event
  }
  s.sound.music.ResumeMusAll();
  bool markMoved = false;
  int keyItem = keys_.Update(in, markMoved);
  if (markMoved) s.loop.Redraw = true;
  // Redraw at most every 10 ms, and only while something on the menu changes.
  if (s.Now() - lastMenuFrame_ > 10) {
    bool force = s.loop.Redraw;
    s.loop.Redraw = false;
    PointD p = in.Pointer();
    animating_ = StepMenuHighlights(view_, m, p.x, p.y);
    // The pointer over a prop is heard once; leaving every item re-arms it.
    int over = view_.choice;
    if (over != 0) s.sound.sfx.PlaySfxOnce("ev_menu_over");
    if (over == 0) s.sound.sfx.RearmSfx("ev_menu_over");
    if (animating_ || force) {
      DrawMainMenu(s.look.canvas, s.look.font, view_);
      s.loop.SceneDirty = true;
    }
    if (s.loop.SceneDirty && keys_.Marked()) DrawMenuMark(s.look.canvas, m, keys_.Marked());
    lastMenuFrame_ = s.Now();
  }
  // The choice follows the pointer on every pass, drawn or not: a move and a
  // click often arrive together.
  choice_ = MainMenuItemAt(m, in.Pointer().x, in.Pointer().y);
  bool active = s.loop.AppActive;
  if ((MouseClicked(input, in, active, 1) && choice_ == menu::Play) || keyItem == menu::Play) {
    if (HasGameToContinue(services_.saves)) {
      asking_ = Question::ContinueOrNew;
      return Next::Push(std::make_unique<DialogScreen>(DialogFor(Question::ContinueOrNew), this));
    }
    input.ClickLatch = true;
    return Next::Pop(MenuAnswer::NewGame);
  }
  int item = MouseDown(in, active) && !input.ClickLatch ? choice_ : keyItem;
  if (item != 0) {
    input.ClickLatch = true;
    if (item == menu::Exit) {
      s.sound.sfx.StopSfx("ev_menu_over");
      s.loop.ExitRequested = true;
      return Next::Pop(MenuAnswer::Exit);
    }
    ClickSound(s.sound.sfx);
    Next opened = OpenItem(item);
    if (opened.kind == Next::Kind::Push) return opened;
  }
  if (!in.ButtonDown(1) && input.ClickLatch) input.ClickLatch = false;
  double wake = animating_ || s.loop.Redraw ? lastMenuFrame_ + 10 : Next::kOnInput;
  return Next::Stay(wake);
}

Next MainMenuScreen::OpenItem(int item) {
  folder_ = services_.saves.Folder();
  data_ = SaveData{};
  switch (item) {
    case menu::Options: return Next::Push(std::make_unique<OptionsScreen>(services_));
    case menu::HowToPlay: return Next::Push(std::make_unique<HowToPlayScreen>());
    case menu::ChangePlayer:
      PrepareSaveFolder(folder_);
      LoadPlayers(folder_, data_);
      return Next::Push(std::make_unique<PlayersScreen>(
          data_.players, [this] { SavePlayers(folder_, data_); },
          [this](int slot) {
            std::error_code ec;
            std::filesystem::remove(folder_.SavesPath(BoardFileName(slot)), ec);
          }));
    case menu::HighScores:
      PrepareSaveFolder(folder_);
      LoadHighScores(folder_, data_);
      return Next::Push(std::make_unique<HighScoresScreen>(
          data_.scores, [this] { SaveHighScores(folder_, data_); }, [this] { ResetHighScores(folder_, data_); }));
    default: return Next::Stay();
  }
}

Next MainMenuScreen::Resume(Stage& s, Answer answer) {
  if (asking_) {
    asking_.reset();
    s.loop.Input.ClickLatch = true;
    if (answer == ContinueAnswer::Continue) return Next::Pop(MenuAnswer::Continue);
    if (answer == ContinueAnswer::NewGame) return Next::Pop(MenuAnswer::NewGame);
    // Nothing was started: the menu again, drawn afresh.
    s.loop.Redraw = true;
    return Next::Stay();
  }
  // Back from an item's screen: another player may have been chosen.
  view_.player = CurrentPlayerName(services_.saves);
  keys_ = MenuKeys{};
  s.loop.Redraw = true;
  lastMenuFrame_ = -1e9;
  return Next::Stay();
}

OnScreen MainMenuScreen::Shows(const ScreenMetrics& m) const {
  OnScreen o{ScreenKind::MainMenu};
  const std::pair<int, ButtonMeaning> items[] = {{menu::Play, ButtonMeaning::Play},
                                                 {menu::Options, ButtonMeaning::Options},
                                                 {menu::HowToPlay, ButtonMeaning::HowToPlay},
                                                 {menu::HighScores, ButtonMeaning::HighScores},
                                                 {menu::ChangePlayer, ButtonMeaning::ChangePlayer},
                                                 {menu::Exit, ButtonMeaning::ExitGame}};
  for (auto [item, meaning] : items) o.Add(meaning, MainMenuItemRect(m, item));
  return o;
}

void MainMenuScreen::DrawBehind(Stage& s) { DrawMainMenu(s.look.canvas, s.look.font, view_); }

int MenuKeys::Update(Input& in, bool& changed) {
  changed = false;
  if (PointerMoved(lastPointer, in.Pointer()) && focus >= 0) {
    focus = -1;
    changed = true;
  }
  const int keys[6] = {vk::Up, vk::Down, vk::Left, vk::Right, vk::Tab, vk::Enter};
  bool fresh[6];
  for (int i = 0; i < 6; ++i) {
    bool down = in.KeyDown(keys[i]);
    fresh[i] = down && !keysHeld[i];
    keysHeld[i] = down;
  }
  bool space = in.KeyDown(vk::Space);
  bool spaceFresh = space && !spaceHeld;
  spaceHeld = space;
  int n = int(std::size(kMenuKeyOrder));
  if (fresh[0] || fresh[2]) focus = focus <= 0 ? n - 1 : focus - 1, changed = true;
  if (fresh[1] || fresh[3] || fresh[4]) focus = focus < 0 || focus >= n - 1 ? 0 : focus + 1, changed = true;
  if (!(fresh[5] || spaceFresh)) return 0;
  // A first Enter with nothing marked shows the mark on "Play" rather than doing nothing unseen.
  if (focus < 0) {
    focus = 0;
    changed = true;
    return 0;
  }
  return kMenuKeyOrder[focus];
}

int MenuKeys::Marked() const { return focus >= 0 ? kMenuKeyOrder[focus] : 0; }

void DrawMenuMark(Canvas& c, const ScreenMetrics& m, int item) {
  IRect r = MainMenuItemRect(m, item);
  if (r.right <= r.left) return;
  // A gold bar with a dark rim just under the item's label.
  int x0 = r.left + (r.right - r.left) / 6, x1 = r.right - (r.right - r.left) / 6;
  int y = (r.top + r.bottom) / 2 + int(30 * m.YScale), h = int(8 * m.YScale) + 2, rim = 2;
  c.Fill(x0 - rim, y - rim, x1 + rim, y + h + rim, 0xFF000000);
  c.FillGradient(x0, y, x1, y + h, 0xFFFFF0A0, 0xFFE0A020);
}

}  // namespace bm

// Every screen in every state a player can reach, at each of the six sizes,
// drawn headless and checked from the draw calls: each text inside its
// rectangle and the screen, no text over another, hovering changes only what is
// near the pointer, and what a state must show is there.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "Census.h"
#include "render/DialogDraw.h"
#include "render/HowToPlayDraw.h"
#include "render/LogoDraw.h"
#include "render/MenuScreen.h"
#include "diag/Notices.h"
#include "render/OptionsDraw.h"
#include "render/PictureWords.h"
#include "render/RosterDraw.h"
#include "render/ShopDraw.h"
#include "render/ShopLayout.h"
#include "bonus/StockButtons.h"
#include "progress/Stages.h"
#include "render/BetweenLevelsDraw.h"
#include "render/CreditsDraw.h"
#include "render/PlayScreen.h"
#include "render/TipDraw.h"
#include "shell/BetweenLevelsScreen.h"
#include "shell/DialogScreen.h"
#include "shell/LoadingScreen.h"
#include "shell/Loop.h"
#include "shell/PlayFrame.h"
#include "storage/ItemStatus.h"
#include "shell/HowToPlayScreen.h"
#include "shell/MainMenuScreen.h"
#include "shell/OptionsScreen.h"
#include "shell/HighScoresScreen.h"
#include "shell/NameBoxScreen.h"
#include "shell/PlayersScreen.h"
#include "shell/ShopView.h"
#include "storage/SaveFolder.h"

namespace bm {
namespace {

using test::CensusLanguages;
using test::CensusRun;
using test::Expect;
using test::RectOf;

// Fifteen of the widest letters a name may hold, accented ones among them (typed, kept and drawn as UTF-8).
const std::string kLongName = "ŒŴŒŴŒŴŒŴŒŴŒŴŒŴŒ";

// Ten players with the longest names, the first one current.
PlayerTable FullRoster() {
  PlayerTable t;
  for (int i = 1; i <= 10; ++i) {
    t.slot[std::size_t(i)].Name = i == 1 ? kLongName : "Player " + std::to_string(i);
    t.slot[std::size_t(i)].GameScore = 99999999 / i;
  }
  t.SetCurrent(1);
  return t;
}

void KeepRoster(CensusRun& r) {
  SaveFolder f = r.s().saves.Folder();
  PrepareSaveFolder(f);
  SaveData d;
  d.players = FullRoster();
  SavePlayers(f, d);
}

// Inside the cream of the parchment laid over frame f (red/tipformA.png: its
// border 16 and its corners' inner radius 32 of the 448 x 388 it is stretched from).
bool InsideParchment(const IRect& f, double x, double y) {
  double w = (f.right - f.left) / 448.0, h = (f.bottom - f.top) / 388.0;
  double l = f.left + 16 * w, t = f.top + 16 * h, r = f.right - 16 * w, b = f.bottom - 16 * h;
  double dx = std::max({l + 32 * w - x, x - (r - 32 * w), 0.0}) / (32 * w);
  double dy = std::max({t + 32 * h - y, y - (b - 32 * h), 0.0}) / (32 * h);
  return x >= l && x <= r && y >= t && y <= b && dx * dx + dy * dy <= 1;
}

// A key pressed and let go over two passes; the state after it.
void Press(CensusRun& r, Screen& sc, int key) {
  r.win().SetKey(key, true);
  r.Pass(sc);
  r.win().SetKey(key, false);
  r.Pass(sc);
}

// The census's own checks: each fault it is there to catch, drawn on purpose, is caught once.
TEST(Census, CatchesATextOutsideItsBoxOffTheScreenOverAnotherOrMissing) {
  CensusRun r(640, 480);
  auto faults = [&](const Expect& e, const std::vector<std::pair<std::string, IRect>>& texts, bool afresh = true) {
    r.faults.clear(), r.seen.clear();
    r.Draw([&] {
      if (afresh) r.s().render().Clear(0xFF000000);
      for (const auto& [text, box] : texts)
        r.s().look.font.Draw(r.s().look.canvas, text, box, 0.5, 0xFFFFFFFF, 0xFFFFFFFF, Align::Left);
    });
    r.Check("drawn on purpose", e);
    return r.faults.size();
  };
  EXPECT_EQ(faults({{"Sea"}}, {{"Sea", {100, 100, 300, 140}}}), 0u) << "a text in its box";
  EXPECT_EQ(faults({}, {{"A line far too long for its box", {100, 100, 130, 140}}}), 1u) << "outside its box";
  EXPECT_EQ(faults({}, {{"Sea Sea Sea", {620, 100, 900, 140}}}), 1u) << "off the screen";
  EXPECT_EQ(faults({}, {{"Sea", {100, 100, 300, 140}}, {"Ship", {100, 100, 300, 140}}}), 1u) << "over another";
  EXPECT_EQ(faults({}, {{"Ship", {100, 100, 300, 140}}}, false), 1u) << "over one left from the drawing before";
  EXPECT_EQ(faults({{"Anchor"}}, {{"Sea", {100, 100, 300, 140}}}), 1u) << "not drawn";
  EXPECT_EQ(faults({{"Sea\u4E00"}}, {{"Sea\u4E00", {100, 100, 300, 140}}}), 1u) << "a character the font lacks";
}

TEST(Census, MainMenuOptionsAndHowToPlay) {
  for (const std::string& lang : CensusLanguages())
  for (auto [w, h] : test::CensusSizes()) {
    CensusRun r(w, h, lang);
    KeepRoster(r);
    const ScreenMetrics& m = r.s().look.metrics;
    MainMenuView view;
    MainMenuScreen menu(view, r.s());
    menu.Enter(r.s());
    r.Point(m.Width * 0.45, m.Height * 0.88);
    r.Settle(menu);
    DrawJournal idle = r.j();
    Expect items{{TrC("main menu", "Play"), TrC("main menu", "Options"), TrC("main menu", "Exit Game"),
                  TrC("main menu", "High Scores"), TrC("main menu", "How To Play"), MenuGreeting(kLongName),
                  Tr(">Click Here to Change Player<")}};
    r.Check("menu", items);
    for (int item : {menu::Play, menu::Options, menu::Exit, menu::HighScores, menu::HowToPlay, menu::ChangePlayer}) {
      IRect at = MainMenuItemRect(m, item);
      r.Point(at);
      r.Settle(menu);
      r.Check("menu hover " + std::to_string(item), items, &at, &idle);
    }
    // The saves' notices over the menu, with a long path, in the language, drawn as the loop draws the one raised
    // over whatever screen is up: all of it, every line inside the screen, nothing left from the one before.
    std::string folder;  // too long for a line: cut between two letters, never inside one
    for (int k = 0; k < 30; ++k) folder += "ŴŁód";
    const std::string path = "/home/" + kLongName + "/" + folder + "/brinemoor/saves/players.dat";
    int shown = 0;
    for (const Wording& notice :
         {Words("The loading bar's length could not be saved: %s. The last save is kept.",
                {Words("\"%s\" cannot be read: %s; it is left as it is", {AsIs(path), AsIs(std::strerror(EACCES))})}),
          Words("%s. The game leaves it as it is and will not save over it.",
                {Words("\"%s\" cannot be opened: %s", {AsIs(path), AsIs(std::strerror(EACCES))})})}) {
      std::string told = Tr(notice), drawn;
      EXPECT_TRUE(lang == kEnglish || told != notice.English()) << lang << ": " << told;
      ClearNotices();
      RaiseNotice("census", notice);
      CurrentNotice(r.s().Now());
      r.Pass(menu);
      const std::size_t under = r.j().texts.size();
      RenderScene(r.s(), r.s().options.processStart);
      for (std::size_t k = under; k < r.j().texts.size(); ++k) drawn += r.j().texts[k].text;
      std::replace(told.begin(), told.end(), '"', '\'');
      std::erase(drawn, ' ');
      std::erase(told, ' ');
      EXPECT_EQ(drawn, told) << r.Size();
      r.Check("notice " + std::to_string(++shown), items);
    }
    ClearNotices();
    r.Point(m.Width * 0.45, m.Height * 0.88);
    r.Settle(menu);
    for (int k = 0; k < 6; ++k) {
      Press(r, menu, vk::Down);
      r.Check("menu key " + std::to_string(k), items);
    }
    // Cheat mode's debug panel: the run log's last lines while Backspace is held; Numpad 0 empties it.
    r.s().loop.Input.CheatMode = true;
    r.s().logs.WriteRunLog("Census", "a line for the debug panel");
    r.win().SetKey(vk::Backspace, true);
    r.Pass(menu);
    PollKeys(r.s());
    RenderScene(r.s(), r.s().options.processStart);
    Expect panel{{Tr("Cheat Mode"), "Census a line for the debug panel"}};
    panel.mayOverlap.assign(r.s().logs.Recent().begin(), r.s().logs.Recent().end());
    r.Check("menu debug panel", panel);
    r.win().SetKey(vk::Numpad0, true);
    r.Pass(menu);
    PollKeys(r.s());
    EXPECT_TRUE(r.s().logs.Recent().empty());
    r.win().SetKey(vk::Numpad0, false);
    r.win().SetKey(vk::Backspace, false);
    r.s().loop.Input.CheatMode = false;

    OptionsScreen options(r.s());
    options.Enter(r.s());
    OptionRectTable rects = OptionRects(m);
    r.Point(m.Width * 0.5, m.Height * 0.95);
    r.Pass(options);
    idle = r.j();
    // The arrows' glyphs are wider than the ink they hold; the tick stands in its box.
    Expect labels{{TrC("screen title", "OPTIONS"), Tr("Full Screen"), Tr("Resolution"), Tr("Sound Volume"),
                   Tr("Music Volume"), Tr("Language"), TrC("button", "OK")},
                  {"^"},
                  {"<", ">"}};
    r.Check("options", labels);
    if (lang == kEnglish && w == 800)
      for (const char* label : {"Full Screen", "Resolution", "Sound Volume", "Music Volume", "OK"})
        r.Legible("options", [&] { r.Pass(options); }, label);
    for (int item = 0; item < opt::Count; ++item) {
      const IRect& at = rects[std::size_t(item)];
      if (at.right <= at.left) continue;
      r.Hover(options, "options hover " + std::to_string(item), labels, at, idle);
    }
    r.Point(m.Width * 0.5, m.Height * 0.95);
    for (int k = 0; k < 6; ++k) {
      Press(r, options, vk::Down);
      r.Check("options key " + std::to_string(k), labels);
    }
    // Switched off, full screen ticked: "Mute" and the hints that tell how to switch back on.
    r.s().settings.SoundOn = 0;
    r.s().settings.MusicOn = 0;
    r.s().settings.FullScreen = -1;
    r.Point(rects[opt::MusicSlider]);
    r.Pass(options);
    // The hint box stands over the row it tells about, and over whatever its text is wide enough to reach.
    Expect muted{{Tr("Mute"), "^"}, {"^", "<", ">"}, {"<", ">"}};
    for (const std::string& line : SplitLines(OptionHint(opt::MusicSlider, 0, false, r.s().settings.MusicVolume, false)))
      muted.mayOverlap.push_back(line);
    r.Check("options muted", muted);

    HowToPlayScreen pages;
    pages.Enter(r.s());
    for (int page = 1; page <= kHowToPlayPages; ++page) {
      r.Point(m.Width * 0.5, 2);
      r.Pass(pages);
      idle = r.j();
      Expect e{{TrC("screen title", "How To Play"), TrC("how to play, page title", HowToPlayPageText(page).title),
                TrC("how to play, button", page < kHowToPlayPages ? "Next" : "Done"), std::to_string(page) + " / 8"}};
      r.Check("how to play " + std::to_string(page), e);
      if (lang == kEnglish && w == 800 && page == 1)
        r.Legible("how to play", [&] { r.Pass(pages); }, SplitLines(HowToPlayPageText(1).text).front());
      for (int b : {howto::Prev, howto::Done, howto::Next}) {
        IRect at = HowToPlayButton(m, b);
        if (!HowToPlayButtonAt(m, page, (at.left + at.right) / 2.0, (at.top + at.bottom) / 2.0)) continue;  // not on this page
        // The button and the keyboard's bar under it stay clear of the parchment's rounded corners.
        for (int x : {at.left, at.right})
          if (!InsideParchment(m.PercentRect(8, 6, 92, 92), x, at.bottom + 8))
            r.Fault("how to play", "button " + std::to_string(b) + " runs into the parchment's corner");
        r.Hover(pages, "how to play " + std::to_string(page) + " hover " + std::to_string(b), e, at, idle);
      }
      Press(r, pages, vk::Right);
    }
    r.Report();
  }
}

TEST(Census, PlayersNameBoxAndHighScores) {
  for (const std::string& lang : CensusLanguages())
  for (auto [w, h] : test::CensusSizes()) {
    CensusRun r(w, h, lang);
    const ScreenMetrics& m = r.s().look.metrics;
    PlayerTable roster = FullRoster();
    PlayersScreen players(roster, [] {});
    players.Enter(r.s());
    r.Point(m.Width * 0.5, m.Height - 2);
    r.Pass(players);
    DrawJournal idle = r.j();
    Expect list{{Tr("Select your player or enter a new one"), Tr("Add new player name"), TrC("button", "OK"),
                 Tr("CURRENT PLAYER")}};
    r.Check("players", list);
    for (int row = 0; row < 10; ++row) {
      IRect line = RosterLineRect(m, row), mark = RosterDeleteRect(m, row);
      r.Hover(players, "players line " + std::to_string(row), list, line, idle);
      r.Point(mark);
      r.Pass(players);
      Expect hint = list;
      const std::string tip = Tr("Click to delete corresponding player.");
      hint.texts.push_back(tip);
      hint.mayOverlap.push_back(tip);  // a hint box stands over what is there
      r.Check("players delete " + std::to_string(row), hint);
      for (const DrawnText& t : r.j().texts)
        if (t.text == tip && (t.box.bottom > mark.bottom || t.box.bottom < mark.top - (mark.bottom - mark.top)))
          r.Fault("players delete", "the hint stands away from the pointer: " + test::Show(t.box));
    }
    for (int b : {roster::Add, roster::Ok}) {
      IRect at = RosterButtonRect(m, b);
      r.Hover(players, "players button " + std::to_string(b), list, at, idle);
    }
    // "Add" with every slot taken: the message instead of the name box.
    r.Point(RosterButtonRect(m, roster::Add), true);
    r.Pass(players);
    r.Point(RosterButtonRect(m, roster::Add), false);
    r.Pass(players);
    Expect full = list;
    for (const std::string& line : SplitLines(Tr("There is no room for a new player name.|You should delete one first!")))
      full.texts.push_back(line);
    r.Check("players full", full);

    std::string name;
    NameBoxScreen box(&name, true);
    box.Enter(r.s());
    r.Point(m.Width * 0.5, m.Height - 2);
    r.Pass(box);
    idle = r.j();
    r.Check("name box empty", {{Tr("Enter your name here:"), TrC("button", "OK"), TrC("button", "CANCEL")}});
    r.Point(NameBoxButtonRect(m, namebox::Ok), true);
    r.Pass(box);
    r.Point(NameBoxButtonRect(m, namebox::Ok), false);
    r.Pass(box);
    r.Check("name box warning", {{Tr("Enter your name first!")}, {Tr("Enter your name first!")}});
    r.win().Type(kLongName + "W");  // one more than the box holds
    r.Point(m.Width * 0.5, m.Height - 2);
    r.Pass(box);
    idle = r.j();
    r.Check("name box longest", {{kLongName + "_"}});
    for (int b : {namebox::Ok, namebox::Cancel}) {
      IRect at = NameBoxButtonRect(m, b);
      r.Hover(box, "name box hover " + std::to_string(b), {{kLongName + "_"}}, at, idle);
    }

    HighScoreTable table;
    for (int i = 0; i < kHighScoreEntries; ++i) table.entry[std::size_t(i)] = {kLongName, "999999999"};
    HighScoresScreen scores(table, [] {});
    scores.Enter(r.s());
    r.Point(m.Width * 0.5, m.Height - 2);
    r.Pass(scores);
    idle = r.j();
    r.Check("high scores", {{TrC("button", "BACK"), TrC("button", "RESET"), kLongName}});
    for (int b : {scores::Back, scores::Reset}) {
      IRect at = HighScoreButtonRect(m, b);
      r.Hover(scores, "high scores hover " + std::to_string(b), {{TrC("button", "BACK"), TrC("button", "RESET")}}, at, idle);
    }
    r.Report();
  }
}

// Every question of the game, each with either button hovered and pressed and
// each picked by the keys.
TEST(Census, EveryTwoButtonQuestion) {
  for (const std::string& lang : CensusLanguages())
  for (auto [w, h] : test::CensusSizes()) {
    CensusRun r(w, h, lang);
    const ScreenMetrics& m = r.s().look.metrics;
    for (Question question : kEveryQuestion) {
      // About a player with the longest name there can be.
      const DialogRequest q = DialogFor(question, "WWWWWWWWWWWWWWW");
      DialogScreen dialog(q, nullptr);
      dialog.Enter(r.s());
      DialogLayout d = LayoutTwoButtonDialog(m, q.leftPercent, q.topPercent);
      Expect e;
      for (const std::string& line : SplitLines(q.message)) e.texts.push_back(line);
      e.texts.push_back(q.first);
      e.texts.push_back(q.second);
      r.Point(2, 2);
      r.Pass(dialog);
      DrawJournal idle = r.j();
      std::string name = "dialog " + q.first + "|" + q.second;
      r.Check(name, e);
      if (!test::Inside(RectOf(d.frame), Rect{0, 0, w, h})) r.Fault(name, "the frame leaves the screen");
      r.CheckHitAreas(name, {{d.hits[0], d.buttons[0]}, {d.hits[1], d.buttons[1]}});
      for (int b = 0; b < 2; ++b) {
        if (!test::Inside(RectOf(d.hits[b]), RectOf(d.frame)))
          r.Fault(name, "button " + std::to_string(b + 1) + " hangs over the frame");
        r.Hover(dialog, name + " hover " + std::to_string(b + 1), e, d.buttons[b], idle);
        r.Point(d.buttons[b], true);
        r.Pass(dialog);
        r.Check(name + " pressed " + std::to_string(b + 1), e, &d.buttons[b], &idle);
        // Dragged off before the release: no answer, and the dialog stays.
        r.Point(2, 2, true);
        r.Pass(dialog);
        r.Point(2, 2, false);
        r.Pass(dialog);
      }
      Press(r, dialog, vk::Right);
      r.Check(name + " key", e);
    }
    r.Report();
  }
}

// A level in play: at rest, hovered, with each tip, and as the time runs out.
TEST(Census, PlayScreenTipsAndLevelEnds) {
  for (const std::string& lang : CensusLanguages())
  for (auto [w, h] : test::CensusSizes()) {
    CensusRun r(w, h, lang);
    Services& s = r.s();
    Match& m = r.play().match;
    const ScreenMetrics& metrics = s.look.metrics;
    NewGame(m, 12, s.Now());
    bool leave = false;
    auto pass = [&] {
      r.host->Virtual()->Advance(40);
      s.window().Pump();
      s.loop.Redraw = true;
      r.journal->journal.Clear();
      PlayPass(s, r.play(), leave);
    };
    r.Point(metrics.Width * 0.02, metrics.Height * 0.5);
    for (int i = 0; i < 60; ++i) pass();
    Expect panel{{Format(Tr("Time Left: %s"), {TimeLeftText(m.level.SandLeft, m.level.TimeLimit)}),
                  Format(Tr("Score: %d"), {"0"}), Format(Tr("Lives: %d"), {"3"}), StageLevelLabel(12),
                  TrC("play screen button", "MENU")}};
    r.Check("play", panel);
    IRect button = MenuButtonRect(metrics);
    r.Point(button);
    pass();
    // The board shimmers from pass to pass: only what is drawn is checked here.
    r.Check("play menu button hover");
    r.Point(button, true);
    pass();
    r.Check("play menu button pressed");
    // The wheel: its picture less the 32-of-256 margin. The board is no hit area's.
    IRect wheel{button.left + (button.right - button.left) / 8, button.top + (button.bottom - button.top) / 8,
                button.right - (button.right - button.left) / 8, button.bottom - (button.bottom - button.top) / 8};
    std::vector<std::pair<IRect, IRect>> hits{{MenuButtonHitRect(metrics), wheel}};
    IRect board{metrics.Width, metrics.Height, 0, 0};
    for (int i = 0; i < kCellCount; ++i)
      if (m.cells[i].IsExists) {
        const int x = int(metrics.CellScreenX(m.cells[i].CenterX)), y = int(metrics.CellScreenY(m.cells[i].CenterY));
        board = {std::min(board.left, x), std::min(board.top, y), std::max(board.right, x), std::max(board.bottom, y)};
      }
    for (StockButton b : {StockButton::ShowFree, StockButton::Parrot, StockButton::Shuffle, StockButton::Hook,
                          StockButton::Sun}) {
      hits.push_back({StockButtonHitRect(metrics, b), StockButtonRect(metrics, b)});
      r.Point(hits.back().first);
      pass();
      r.Check("play stock hover " + std::to_string(int(b)));
    }
    r.CheckHitAreas("play", hits, {board});
    r.Point(metrics.Width * 0.02, metrics.Height * 0.5);
    // Each tip, beside a cell in each corner of the board and at its button.
    for (int n = 0; n < kTipTextCount; ++n)
      for (int place : {57, 0, 115, TipPlaceOfButton(StockButton::Shuffle)}) {
        if (place >= 0 && !m.cells[place].IsExists) continue;
        r.play().tip = TipBox{};
        OfferTipBox(s, r.play(), n, place);
        r.Draw([&] { DrawPlayScreen(s, r.play()); });
        Expect e{{SplitLines(Tr(TipText(n))).front()}};
        for (const std::string& line : SplitLines(Tr(TipText(n)))) e.mayOverlap.push_back(line);
        r.Check("tip " + std::to_string(n) + " at " + std::to_string(place), e);
        // "(click to close)" is as large as the tip's own lines (its brackets are the font's tallest ink).
        int close = 0, tallest = 0;
        for (const DrawnText& t : r.j().texts) {
          const int high = t.box.bottom - t.box.top;
          if (t.text == Tr("(click to close)")) close = high;
          else if (std::ranges::count(e.mayOverlap, t.text)) tallest = std::max(tallest, high);
        }
        if (close < tallest * 9 / 10) r.Fault("tip " + std::to_string(n), "\"(click to close)\" is smaller than its lines");
        if (lang == kEnglish && w == 800 && n == 0 && place == 57)
          r.Legible("tip", [&] { DrawPlayScreen(s, r.play()); }, "(click to close)", 9);
      }
    r.play().tip = TipBox{};
    for (bool gameOver : {false, true})
      for (double t : {0.3, 1.0, 1.7}) {
        m.flow.timeUp = TimeUpOverlay{t, gameOver};
        m.board.TimeUpFlag = true;
        r.Draw([&] { DrawPlayScreen(s, r.play()); });
        r.Check(std::string(gameOver ? "game over " : "time up ") + std::to_string(t),
                {{Tr(gameOver ? "GAME OVER" : "TIME IS UP")}});
      }
    r.Report();
  }
}

TEST(Census, LoadingMapShopAndCredits) {
  for (const std::string& lang : CensusLanguages())
  for (auto [w, h] : test::CensusSizes()) {
    CensusRun r(w, h, lang);
    Services& s = r.s();
    const ScreenMetrics& m = s.look.metrics;
    // The logo's layers in turn, then the loading picture with its bar filling: only the start's pictures are
    // here yet (on the page, the logo's pack follows).
    s.look.textures.Use(asset_group::Start);
    for (auto [p, layer] : {std::pair{1.7, 0}, {2.5, 1}, {3.3, 2}, {3.8, 2}, {4.2, 2}}) {
      r.Draw([&] { DrawLogo(s.look.canvas, s.look.font, p); });
      const std::string picture = "red/logo/layer" + std::to_string(layer) + ".jpg";
      r.Check("logo " + std::to_string(p), {.texts = PictureTexts(picture), .pictures = {picture}});
    }
    for (double f : {0.5, 1.0}) {
      r.Draw([&] { DrawLoadingFrame(s, f); });
      // The filled picture hides the empty one when the bar is full.
      r.Check("loading " + std::to_string(int(f * 100)), {.texts = PictureTexts("red/logo/gamelogo0.jpg"),
              .pictures = {std::string("red/logo/gamelogo") + (f < 1 ? "0" : "1") + ".jpg", "red/logo/gamelogo1.jpg"}});
    }
    r.Draw([&] { DrawPausePicture(s.look.canvas, s.look.font); });
    r.Check("away", {.texts = PictureTexts(kPausePicture), .pictures = {kPausePicture}});

    Match& match = r.play().match;
    NewGame(match, 12, s.Now());
    Key(match.items.items[std::size_t(match.itemSlot)], 3).Flag = -1;
    int level = 12;
    BetweenLevelsScreen between(r.play(), level, s.saves);
    between.Enter(s);
    r.Point(m.Width / 2.0, 2);
    r.Settle(between, 40);
    Expect map{PictureTexts("red/shop/shop0.jpg")};
    for (const char* b : {"Map", "Shop", "Continue"}) map.texts.push_back(TrC("between levels, button", b));
    r.Check("map", map);
    // The marker pulses from pass to pass: only what is drawn is checked here.
    for (BetweenButton b : {BetweenButton::Map, BetweenButton::Shop, BetweenButton::Continue}) {
      r.Point(BetweenButtonRect(m, b));
      r.Pass(between);
      r.Check("map hover " + std::to_string(int(b)));
    }
    r.Point(m.Width / 2.0, 2);
    Press(r, between, vk::Left);
    Press(r, between, vk::Enter);
    r.Check("shop", {PictureTexts("red/shop/shop1.jpg")});
    // The keyboard's frame round the marked key (on the rack's top row) leaves the rack's label whole.
    for (const DrawnQuad& q : r.j().quads)
      for (const DrawnText& t : r.j().texts)
        if (q.color == kFocusFrameColor && test::Overlap(q.box, t.box))
          r.Fault("shop", "the focus frame crosses \"" + t.text + "\"");
    Press(r, between, vk::Enter);
    r.Check("shop key carried");
    Press(r, between, vk::Right);
    r.Check("shop key over an item");
    Press(r, between, vk::Escape);  // the key goes back
    // Each item's text stands clear of every card, its own lock included (the shop's own words, written
    // where the picture leaves room for them, are not an item's text).
    const std::vector<std::string> shopWords = PictureTexts("red/shop/shop1.jpg");
    for (int item = 1; item <= kShopItems; ++item) {
      r.Point(ShopItemX(item) * m.XScale, (ShopItemY(item) - 40) * m.YScale);
      r.Pass(between);
      r.Check("shop hover " + std::to_string(item));
      for (const DrawnText& t : r.j().texts)
        for (int card = 1; card <= kShopItems && std::ranges::count(shopWords, t.text) == 0; ++card)
          if (test::Overlap(t.box, RectOf(m.DesignRect(ShopItemX(card) - 85, ShopItemY(card) - 110, ShopItemX(card) + 85,
                                                      ShopItemY(card) + 110))))
            r.Fault("shop hover", "\"" + t.text + "\" covers item " + std::to_string(card));
      if (lang == kEnglish && w == 800 && item == 1)
        r.Legible("shop hover", [&] { r.Pass(between); },
                  SplitLines(ShopItemText(r.play(), 1, ShopItemY(1) - 40).first).front());
    }

    s.look.textures.Use(asset_group::Credits);
    for (double scroll : {-20.0, 40.0, 100.0, 150.0, 200.0, 280.0}) {
      r.Draw([&] { DrawCredits(s.look.canvas, s.look.font, scroll); });
      Expect e{{Tr(">Click Left Mouse Button to Continue<")}};
      e.scrolls = true;
      r.Check("credits " + std::to_string(int(scroll)), e);
    }
    r.Report();
  }
}

}  // namespace
}  // namespace bm

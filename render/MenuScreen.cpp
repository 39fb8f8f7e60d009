#include "render/MenuScreen.h"

#include <algorithm>

#include "lang/Tr.h"
#include "render/Canvas.h"
#include "render/Font.h"

namespace bm {

namespace {
struct Item {
  int number;
  const char* text;
  double l, t, r, b;  // percent of the screen: where it reacts to the pointer
  double labelL, labelR, labelY;  // where its label is written on the prop (its middle line)
};
// Each item is one of the menu picture's props: the ship, the compass, the
// signpost, the chest and the scroll.
// TRANSLATORS: Main menu: label over the ship, size 0.55 (0.7 under the pointer), shrinks to fit. Room: plenty (twice
// the English length or more).
const Item kItems[] = {{menu::Play, TrNoopC("main menu", "Play"), 0, 10, 30, 75, 2, 28, 42.5},
                       // TRANSLATORS: Main menu: label over the map table, size 0.55/0.7, shrinks to fit. Room: up to
                       // about 70% longer than the English (it is set smaller to fit, down to three quarters of its
                       // size).
                       {menu::Options, TrNoopC("main menu", "Options"), 35, 30, 50, 60, 35, 50, 45},
                       // TRANSLATORS: Main menu: label over the door, size 0.55/0.7, shrinks to fit. Room: up to
                       // about 20% longer than the English (it is set smaller to fit, down to three quarters of its
                       // size).
                       {menu::Exit, TrNoopC("main menu", "Exit Game"), 84, 62, 100, 80, 85, 99, 71},
                       // TRANSLATORS: Main menu: label over the treasure, size 0.55/0.7, shrinks to fit. Room: plenty
                       // (twice the English length or more).
                       {menu::HighScores, TrNoopC("main menu", "High Scores"), 60, 25, 97, 57, 64, 93, 41},
                       // TRANSLATORS: Main menu: label over the book, top right, size 0.55/0.7, shrinks to fit. Room:
                       // none: already too wide in English (set smaller today); keep it as short as you can.
                       {menu::HowToPlay, TrNoopC("main menu", "How To Play"), 80, 0, 100, 15, 83.5, 97, 7.5}};
constexpr double kHighlightStep = 0.12;  // per drawn frame
}  // namespace

IRect MainMenuItemRect(const ScreenMetrics& m, int number) {
  if (number == menu::ChangePlayer) return m.DesignRect(30, 170, 1250, 230);
  for (const Item& it : kItems)
    if (it.number == number) return m.PercentRect(it.l, it.t, it.r, it.b);
  return {};
}

std::vector<PicturePart> MainMenuLitParts() {
  std::vector<PicturePart> parts;
  for (const Item& it : kItems)
    parts.push_back({float(it.l / 100), float(it.t / 100), float(it.r / 100), float(it.b / 100)});
  return parts;
}

int MainMenuItemAt(const ScreenMetrics& m, double x, double y) {
  // In the items' order, each over those before it: "Change Player" where it crosses "Play".
  int choice = 0;
  for (int item : {menu::Play, menu::Options, menu::Exit, menu::ChangePlayer, menu::HighScores, menu::HowToPlay})
    if (MainMenuItemRect(m, item).Contains(x, y)) choice = item;
  return choice;
}

bool StepMenuHighlights(MainMenuView& v, const ScreenMetrics& m, double x, double y) {
  bool moving = false;
  for (const Item& it : kItems) {
    double& h = v.highlight[std::size_t(it.number)];
    bool over = m.PercentRect(it.l, it.t, it.r, it.b).Contains(x, y);
    double target = over ? 1.0 : 0.0;
    if (h != target) {
      h = over ? std::min(1.0, h + kHighlightStep) : std::max(0.0, h - kHighlightStep);
      moving = true;
    }
  }
  v.choice = MainMenuItemAt(m, x, y);
  return moving;
}

std::string MenuGreeting(const std::string& player) {
  // TRANSLATORS: Main menu: greeting at the top when no player is chosen yet, size 0.9, shrinks to fit. Room:
  // plenty (twice the English length or more).
  if (player.empty()) return Tr("Welcome aboard!");
  // TRANSLATORS: Main menu: greeting at the top, size 0.9, shrinks to fit. %s is the player's name (up to 15
  // letters). Room: plenty (twice the English length or more). Shown as: Welcome Anne Bonny
  return Format(Tr("Welcome %s"), {player});
}

void DrawMainMenu(Canvas& c, Font& font, const MainMenuView& v) {
  const ScreenMetrics& m = c.metrics;
  c.device.Clear(0xFF06203A);
  TextureId bg = c.Tex("red/menu/main0-new2.jpg"), lit = c.Tex("red/menu/main1-new2.jpg");
  if (bg) c.FullScreen(bg);
  else c.FillGradient(0, 0, m.Width, m.Height, 0xFF0B3D5C, 0xFF041826);
  for (const Item& it : kItems) {
    double h = v.highlight[std::size_t(it.number)];
    // The lit picture fades in over the prop under the pointer, softly towards
    // its edges: nested parts, each adding a quarter.
    if (h > 0 && lit)
      for (int k = 0; k < 4; ++k) {
        double dx = (it.r - it.l) * 0.08 * k, dy = (it.b - it.t) * 0.08 * k;
        double l = it.l + dx, t = it.t + dy, rr = it.r - dx, b = it.b - dy;
        c.ImagePart(lit, l * m.XPercent, t * m.YPercent, rr * m.XPercent, b * m.YPercent, l / 100, t / 100, rr / 100,
                    b / 100, WithAlpha(0xFFFFFFFF, h * 0.4));
      }
    // The label grows under the pointer, but never past its prop.
    IRect label = m.PercentRect(it.labelL, it.labelY - 5, it.labelR, it.labelY + 5);
    const char* text = TrC("main menu", it.text);
    double size = font.FitSize(text, 0.55 + 0.15 * h, m.XScale, label.right - label.left);
    font.Draw(c, text, label, size, 0xFF000000, 0xFFFFE6A0, Align::Center, h >= 1.0);
  }
  // The greeting keeps clear of the scroll at the top right.
  const std::string greeting = MenuGreeting(v.player);
  IRect welcome = m.DesignRect(30, 60, 1010, 160);
  font.Draw(c, greeting, welcome, font.FitSize(greeting, 0.9, m.XScale, welcome.right - welcome.left), 0xFF000000,
            0xFFFFE6A0, Align::Center);
  // TRANSLATORS: the line under the greeting that opens the players screen; keep the > < marks.
  font.Draw(c, Tr(">Click Here to Change Player<"), MainMenuItemRect(m, menu::ChangePlayer), 0.4, 0xFF000000,
            v.choice == menu::ChangePlayer ? 0xFFFFFFFF : 0xFFFFE6A0, Align::Center);
}

}  // namespace bm

#include "render/MenuScreen.h"

#include "shell/Game.h"

namespace bm {

namespace {
struct Item {
  int number;
  const char* text;
  double top;
};
const Item kItems[] = {{menu::Play, "Play", 330},          {menu::Options, "Options", 430},
                       {menu::ChangePlayer, "Change Player", 530}, {menu::HighScores, "High Scores", 630},
                       {menu::HowToPlay, "How To Play", 730},  {menu::Exit, "Exit Game", 830}};
}  // namespace

void DrawMainMenu(Game& g) {
  Canvas& c = g.canvas;
  const ScreenMetrics& m = g.metrics;
  g.render().Clear(0xFF06203A);
  TextureId bg = c.Tex("red/menu/main0-new2.jpg");
  if (bg) c.FullScreen(bg);
  else c.FillGradient(0, 0, m.width, m.height, 0xFF0B3D5C, 0xFF041826);
  g.font.Draw(c, "Brinemoor", m.DesignRect(30, 60, 1250, 240), 1.6, 0xFFFFD060, 0xFFFFE9A0, Align::Center);

  PointD p = g.in().Pointer();
  g.MenuChoice = 0;
  for (const Item& it : kItems) {
    IRect r = m.DesignRect(440, it.top, 840, it.top + 80);
    bool over = r.Contains(p.x, p.y);
    if (over) g.MenuChoice = it.number;
    c.Fill(r.left, r.top, r.right, r.bottom, over ? 0xC0F0B040 : 0x90102840);
    g.font.Draw(c, it.text, r, 0.7, over ? 0xFF201000 : 0xFFFFE0A0, over ? 0xFF402000 : 0xFFFFF0C0, Align::Center);
  }
  g.flags.SceneDirty = true;
}

}  // namespace bm

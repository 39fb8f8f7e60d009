#include "shell/AwayScreen.h"

#include "lang/Tr.h"
#include "shell/Services.h"

namespace bm {

Next AwayScreen::Enter(Stage& s) {
  s.loop.Redraw = true;
  return Next::Stay();
}

Next AwayScreen::Pass(Stage& s) {
  if (s.window().IsForeground()) return Next::Pop(Closing(s));
  // The pause picture does not change: draw it again only when the window lost it.
  if (s.loop.Redraw) {
    s.loop.Redraw = false;
    if (s.look.drawing) {
      Canvas& c = s.look.canvas;
      s.render().Clear(0xFF000000);
      TextureId pause = c.Tex("red/menu/pause.jpg");
      if (pause) c.FullScreen(pause);
      else
        // TRANSLATORS: Playing a level: while the window is away (only when the pause picture is missing), size 1.0.
        // Normally the picture red/menu/pause.jpg shows this word (drawn by tools/artgen). Room: plenty (twice the
        // English length or more).
        s.look.font.Draw(c, Tr("Paused"), s.look.metrics.DesignRect(0, 450, 1280, 570), 1.0, 0xFFFFFFFF, 0xFFFFE0A0,
                         Align::Center);
    }
    s.loop.SceneDirty = true;
  }
  // The click that brings the window back must not act on the game.
  if (s.in().ButtonDown(1)) s.loop.Input.ClickLatch = true;
  return Next::Stay(s.Now() + 100);
}

Answer AwayScreen::Closing(Stage& s) {
  s.loop.Redraw = true;
  return {};
}

}  // namespace bm

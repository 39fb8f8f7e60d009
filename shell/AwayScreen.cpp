#include "shell/AwayScreen.h"

#include "render/PictureWords.h"
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
      s.render().Clear(0xFF000000);
      DrawPausePicture(s.look.canvas, s.look.font);
    }
    s.loop.SceneDirty = true;
  }
  // The click that brings the window back must not act on the game.
  if (s.in().ButtonDown(1)) s.loop.Input.ClickLatch = true;
  return Next::Stay(s.Now() + 100);
}

Answer AwayScreen::Closing(Stage& s) {
  s.loop.Redraw = true;
  // Shown only while the window is in the background.
  s.look.textures.Release("red/menu/pause.jpg");
  return {};
}

}  // namespace bm

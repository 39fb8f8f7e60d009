// A page that tries the web back ends without the game (demo.html, built by
// platform/web/Web.cmake): it draws the loading picture with the game's font
// and pictures, checks drawing (fills, blending, colour modulation, clips, a
// render target, a saved screen) by reading the frame back (again after a lost
// drawing context came back), plays a cue and the menu tune on the first click,
// and counts its starts in a file that must survive a reload. Its findings go,
// as JSON, into the page's element with id "report" (scripts/webpage.py
// demo-check reads them). It stands with the tools, above the folders it uses.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "diag/Logs.h"
#include "platform/Audio.h"
#include "platform/Host.h"
#include "platform/web/PassLoop.h"
#include "platform/web/WebHost.h"
#include "platform/web/WebRender.h"
#include "render/Canvas.h"
#include "render/Font.h"
#include "io/AtomicWrite.h"
#include "io/SafeRead.h"

extern "C" {
void bm_page_report(const char* json);
void bm_page_message(const char* title, const char* text);
}

namespace bm {
namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr double kBarMs = 1000;  // the loading bar fills in this time, then all is still
const char* const kPictures[] = {"256/red5.png", "256/blue1-new.png", "256/amber5.png", "256/diam2.png",
                                 "256/GREEN2.png"};

// A pixel the drawing checks look at, and what must be there.
struct Probe {
  const char* name;
  int x, y;
  std::uint32_t rgb;
};

Vertex V(float x, float y, float u, float v, Argb c) { return {x, y, u, v, c}; }

void Fill(RenderDevice& r, float l, float t, float w, float h, Argb c) {
  const Vertex q[4] = {V(l, t, 0, 0, c), V(l + w, t, 1, 0, c), V(l + w, t + h, 1, 1, c), V(l, t + h, 0, 1, c)};
  r.FillQuad(q);
}

void Picture(RenderDevice& r, TextureId tex, float l, float t, float w, float h, Argb c = 0xFFFFFFFF) {
  const Vertex q[4] = {V(l, t, 0, 0, c), V(l + w, t, 1, 0, c), V(l + w, t + h, 1, 1, c), V(l, t + h, 0, 1, c)};
  r.DrawQuad(tex, q);
}

class Demo {
 public:
  bool Start() {
    logs_.StartRun();
    logs_.SetEcho(true);
    HostOptions o;
    o.width = kWidth;
    o.height = kHeight;
    o.title = "Brinemoor: the web back ends";
    std::string error;
    host_ = CreateHost(o, logs_, error);
    if (!host_) {
      bm_page_message("Brinemoor", error.c_str());
      return false;
    }
    Platform& p = host_->platform;
    p.window->SetMode(kWidth, kHeight, false);
    bank_ = std::make_unique<TextureBank>(*p.render, kWebGameDir, &logs_);
    canvas_ = std::make_unique<Canvas>(*p.render, *bank_, ScreenMetrics::For(kWidth, kHeight));
    p.sound->Init(-1, 44100);
    cue_ = p.sound->CreateStream(std::string(kWebGameDir) + "/sfx/ev_menu_click.ogg");
    p.music->Load(0, std::string(kWebGameDir) + "/music/track-menu.ogg");
    p.music->SetVolume(0, -1000);
    // Every start counts itself in the saves folder.
    ReadResult before = ReadFileBounded(RunsPath(), 32);
    runs_ = (before.ok() ? std::atoi(before.bytes.c_str()) : 0) + 1;
    WriteFileAtomic(RunsPath(), std::to_string(runs_) + "\n");
    startMs_ = p.clock->ClockMs();
    return true;
  }

  void Run() {
    RunPasses(*host_->platform.clock, [this] { return Pass(); });
  }

  PassResult Pass() {
    Platform& p = host_->platform;
    p.window->Pump();
    if (p.window->TakeDeviceReset()) {
      // The context came back empty: every picture again, and the checks once more.
      p.render->ForgetTextures();
      bank_->ReloadAll();
      white_ = blue_ = 0;
      ++resets_;
      checked_ = false;
      dirty_ = true;
    }
    bool down = p.input->ButtonDown(1);
    if (down && !wasDown_) Click();
    wasDown_ = down;
    double elapsed = p.clock->ClockMs() - startMs_;
    bool filling = elapsed < kBarMs;
    if (dirty_ || filling || lastBar_ < 1) {
      Draw(filling ? elapsed / kBarMs : 1.0);
      p.render->Present();
      if (!checked_) Check();  // the kept frame is still there after it was shown
      dirty_ = false;
    }
    // The report follows the tune for a while after a click.
    double now = p.clock->ClockMs();
    Report();
    PassResult r;
    if (filling) r.nextDueMs = now + 16;
    else if (now < followUntilMs_) r.nextDueMs = now + 250;
    return r;
  }

 private:
  static std::string RunsPath() { return std::string(kWebDataDir) + "/demo-runs.txt"; }

  void Click() {
    Platform& p = host_->platform;
    ++clicks_;
    clickedAt_ = p.input->Pointer();
    p.sound->Play(cue_, true);
    cueStarted_ = cueStarted_ || p.sound->IsPlaying(cue_);
    p.music->Run(0);
    followUntilMs_ = p.clock->ClockMs() + 3000;
    dirty_ = true;
  }

  // The loading frame as the game draws it, the pictures in a row, the check cells on the right.
  void Draw(double bar) {
    RenderDevice& r = *host_->platform.render;
    const ScreenMetrics& m = canvas_->metrics;
    lastBar_ = bar;
    r.Clear(0xFF000000);
    if (TextureId logo = canvas_->Tex("red/logo/gamelogo0.jpg")) canvas_->FullScreen(logo);
    font_.Draw(*canvas_, "Loading...", m.DesignRect(0, 880, 1280, 940), 0.6, 0xFF000000, 0xFFFFE6A0, Align::Center);
    canvas_->DesignFill(337, 947, 943, 978, 0xFFFFE6A0);
    canvas_->DesignFill(340, 950, 940, 975, 0xFF201008);
    double x = 340 + 600 * bar;
    if (bar > 0) canvas_->FillGradient(340 * m.XScale, 950 * m.YScale, x * m.XScale, 975 * m.YScale, 0xFFFFE070, 0xFFC07818);
    int shown = 0;
    for (const char* name : kPictures)
      if (TextureId t = canvas_->Tex(name)) Picture(r, t, float(40 + 90 * shown++), 40, 80, 80);
    pictures_ = shown;
    char text[96];
    std::snprintf(text, sizeof text, "Clicks %d   Starts %d", clicks_, runs_);
    font_.Draw(*canvas_, text, m.DesignRect(0, 180, 1280, 230), 0.5, 0xFF000000, 0xFFFFFFFF, Align::Center);
    DrawCells(r);
  }

  // Cells of 48 pixels down the right edge, each trying one thing the game needs.
  void DrawCells(RenderDevice& r) {
    const float x = 940, s = 48;
    auto top = [](int cell) { return float(40 + 60 * cell); };
    Fill(r, x, top(0), s, s, 0xFFFF0000);  // a plain fill
    Fill(r, x, top(1), s, s, 0xFF000000);  // half-transparent white over black
    Fill(r, x, top(1), s, s, 0x80FFFFFF);
    const std::uint32_t white[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    const std::uint32_t blue[4] = {0xFF0000FF, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF};
    if (!white_) white_ = r.CreateTexture(2, 2, white);
    if (!blue_) blue_ = r.CreateTexture(2, 2, blue);
    Picture(r, white_, x, top(2), s, s, 0xFF00FF00);  // a picture tinted by its colour
    Picture(r, blue_, x, top(3), s, s);               // ARGB pixels keep their channels
    Fill(r, x, top(4), s, s, 0xFF000000);             // a clip keeps the right half black
    Rect left{int(x), int(top(4)), int(x + s / 2), int(top(4) + s)};
    r.SetClip(&left);
    Fill(r, x, top(4), s, s, 0xFF00FF00);
    r.SetClip(nullptr);
    // A render target: yellow over cyan in the layer, shown through a clip the cell's size.
    if (r.BeginLayer(3)) {
      r.Clear(0xFF000000);
      Fill(r, x, top(5), s, s / 2, 0xFFFFFF00);
      Fill(r, x, top(5) + s / 2, s, s / 2, 0xFF00FFFF);
      r.EndLayer();
      Rect cell{int(x), int(top(5)), int(x + s), int(top(5) + s)};
      r.SetClip(&cell);
      r.RestoreBuffer(3);
      r.SetClip(nullptr);
    }
    // A saved screen brings back what was under a later fill.
    Fill(r, x, top(6), s, s, 0xFFFF00FF);
    r.SaveBuffer(4);
    Fill(r, x, top(6), s, s, 0xFFFFFFFF);
    Rect saved{int(x), int(top(6)), int(x + s), int(top(6) + s)};
    r.SetClip(&saved);
    r.RestoreBuffer(4);
    // A clear keeps to the clip: blue on the left half, white on the right.
    r.SetClip(nullptr);
    Fill(r, x, top(7), s, s, 0xFFFFFFFF);
    Rect half{int(x), int(top(7)), int(x + s / 2), int(top(7) + s)};
    r.SetClip(&half);
    r.Clear(0xFF0000FF);
    r.SetClip(nullptr);
  }

  void Check() {
    checked_ = true;
    const int x = 940 + 12, right = 940 + 36;
    auto mid = [](int cell) { return 40 + 60 * cell + 24; };
    const Probe probes[] = {{"fill", x, mid(0), 0xFF0000},       {"blend", x, mid(1), 0x808080},
                            {"modulate", x, mid(2), 0x00FF00},   {"argb", x, mid(3), 0x0000FF},
                            {"clip_in", x, mid(4), 0x00FF00},    {"clip_out", right, mid(4), 0x000000},
                            {"layer_top", x, mid(5) - 12, 0xFFFF00}, {"layer_bottom", x, mid(5) + 12, 0x00FFFF},
                            {"saved", x, mid(6), 0xFF00FF},      {"clear_in", x, mid(7), 0x0000FF},
                            {"clear_out", right, mid(7), 0xFFFFFF}};
    std::vector<std::uint8_t> px;
    auto& device = static_cast<WebRenderDevice&>(*host_->platform.render);
    bool read = device.ReadFrame(px);
    screenshot_ = device.SaveScreenshot("/tmp/frame.png") && ReadFileBounded("/tmp/frame.png", 1 << 24).bytes.size() > 1000;
    checks_ = "[";
    allOk_ = read;
    for (const Probe& p : probes) {
      std::uint32_t got = 0;
      if (read) {
        const std::uint8_t* c = &px[(std::size_t(p.y) * kWidth + std::size_t(p.x)) * 4];
        got = (std::uint32_t(c[0]) << 16) | (std::uint32_t(c[1]) << 8) | c[2];
      }
      bool ok = true;
      for (int shift : {16, 8, 0}) ok = ok && std::abs(int((got >> shift) & 255) - int((p.rgb >> shift) & 255)) <= 3;
      allOk_ = allOk_ && ok;
      char item[160];
      std::snprintf(item, sizeof item, "%s{\"name\":\"%s\",\"x\":%d,\"y\":%d,\"want\":\"%06X\",\"got\":\"%06X\",\"ok\":%s}",
                    checks_.size() > 1 ? "," : "", p.name, p.x, p.y, unsigned(p.rgb), unsigned(got),
                    ok ? "true" : "false");
      checks_ += item;
    }
    checks_ += "]";
  }

  void Report() {
    Platform& p = host_->platform;
    double musicAt = 0;
    p.music->Position(0, musicAt);
    char head[512];
    std::snprintf(head, sizeof head,
                  "{\"ready\":true,\"all_ok\":%s,\"runs\":%d,\"pictures\":%d,\"pictures_wanted\":%d,"
                  "\"frames\":%ld,\"draw_calls\":%ld,\"clicks\":%d,\"sound\":%s,"
                  "\"cue_started\":%s,\"music_running\":%s,\"music_seconds\":%.2f,\"screenshot\":%s,\"resets\":%d,\"clicked_at\":[%.1f,%.1f],"
                  "\"renderer\":\"%s\",\"checks\":",
                  allOk_ ? "true" : "false", runs_, pictures_, int(std::size(kPictures)),
                  p.render->FramesPresented(), static_cast<WebRenderDevice&>(*p.render).DrawCalls(), clicks_,
                  p.sound->Silent() ? "false" : "true", cueStarted_ ? "true" : "false",
                  p.music->IsRunning(0) ? "true" : "false", musicAt, screenshot_ ? "true" : "false", resets_, clickedAt_.x, clickedAt_.y,
                  host_->renderer.c_str());
    std::string json = head + checks_ + "}";
    bm_page_report(json.c_str());
  }

  Logs logs_{kWebDataDir};
  std::unique_ptr<Host> host_;
  std::unique_ptr<TextureBank> bank_;
  std::unique_ptr<Canvas> canvas_;
  Font font_;
  SoundHandle cue_ = 0;
  PointD clickedAt_;
  TextureId white_ = 0, blue_ = 0;
  double startMs_ = 0, lastBar_ = 0, followUntilMs_ = 0;
  bool dirty_ = true, wasDown_ = false, checked_ = false, allOk_ = false, cueStarted_ = false, screenshot_ = false;
  int clicks_ = 0, runs_ = 0, pictures_ = 0, resets_ = 0;
  std::string checks_ = "[]";
};

}  // namespace
}  // namespace bm

int main() {
  static bm::Demo demo;
  if (!demo.Start()) return 1;
  demo.Run();
  return 0;
}

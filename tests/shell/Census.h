// The census of what the player sees: a headless run at one screen size whose
// render device keeps a journal of the draw calls, a way to step a screen into
// a state, and the checks every picture must pass. With BM_CONTACT_SHEET set
// to a folder, every state is also drawn for real and saved there as a PNG.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <fnmatch.h>
#include <stb/stb_image.h>

#include "ScreenHarness.h"
#include "lang/Language.h"
#include "lang/Tr.h"
#include "render/AssetGroups.h"
#include "render/GlyphTable.h"
#include "platform/Host.h"
#include "platform/headless/DrawJournal.h"
#include "platform/headless/Headless.h"
#include "shell/PlaySide.h"
#include "shell/Screen.h"
#include "shell/Services.h"

namespace bm::test {

// The languages the census runs in: every one the game speaks, or only
// BM_CENSUS_LANGUAGE's (the contact sheet of one language).
inline std::vector<std::string> CensusLanguages() {
  const char* only = std::getenv("BM_CENSUS_LANGUAGE");
  if (only && *only) return {only};
  std::vector<std::string> all;
  for (const LanguageInfo& l : kLanguages) all.push_back(l.code);
  return all;
}

// The six sizes the game offers: the five fixed ones and the headless desktop;
// or only BM_CENSUS_SIZE's ("640x480", a contact sheet of one size).
inline std::vector<std::pair<int, int>> CensusSizes() {
  std::vector<std::pair<int, int>> all{{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}, {1920, 1200}};
  const char* only = std::getenv("BM_CENSUS_SIZE");
  if (only && *only)
    std::erase_if(all, [&](auto s) { return std::to_string(s.first) + "x" + std::to_string(s.second) != only; });
  return all;
}

// The page's pack a game file travels in: the first line of platform/web/packs.txt
// ("NAME: PATTERN...") whose pattern matches its path.
inline std::string PagePackOf(const std::string& path) {
  static const std::vector<std::pair<std::string, std::string>> table = [] {
    std::vector<std::pair<std::string, std::string>> rows;
    std::ifstream in(std::string(BM_SOURCE_DIR) + "/platform/web/packs.txt");
    for (std::string line, p; std::getline(in, line);)
      if (auto colon = line.find(':'); line[0] != '#' && colon != std::string::npos)
        for (std::istringstream patterns(line.substr(colon + 1)); patterns >> p;) rows.emplace_back(line.substr(0, colon), p);
    return rows;
  }();
  for (const auto& [pack, pattern] : table)
    if (fnmatch(pattern.c_str(), path.c_str(), 0) == 0) return pack;
  return "none";
}

// Whether the pack is here on the page while a screen showing these picture groups draws: the start pack and
// the logo's (asked for before the first picture) always; from the loading bar on the menu's (it waits for
// it) and what the menu opens (right after: a picture drawn before shows once it came); a level waits for the
// board's pack and its stage's; the map, the shop and the credits come after a level.
inline bool PackWaitedFor(unsigned g, const std::string& pack) {
  using namespace asset_group;
  bool stage = false;
  for (int n = 1; n <= 7; ++n) stage = stage || ((g & StageGroup(n)) && pack == "stage" + std::to_string(n));
  return pack == "start" || pack == "logo" ||
         ((g & ~Start) && (pack == "menu" || pack == "menu-more" || stage || (pack == "between" && (g & Between)) ||
                           (pack == "credits" && (g & Credits)) || (pack == "play" && (g & ~(Start | Kept | Menu | Away)))));
}

inline bool Inside(const Rect& in, const Rect& out, int slack = 0) {
  return in.left >= out.left - slack && in.top >= out.top - slack && in.right <= out.right + slack &&
         in.bottom <= out.bottom + slack;
}
inline bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
inline Rect RectOf(const IRect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline std::string Show(const Rect& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

// What a state must show and what it may do.
struct Expect {
  std::vector<std::string> texts;  // drawn, visible, each exactly so
  // Texts allowed to lie over others (a hint box over the screen, a mark in its box).
  std::vector<std::string> mayOverlap;
  // Texts that may be wider than the rectangle they are set in (none should).
  std::vector<std::string> mayOverflow;
  // Pictures drawn (paths under the program folder), visible.
  std::vector<std::string> pictures;
  // The texts scroll through the screen: they may pass its top and bottom edges
  // and under each other, never over the ones listed in texts, which stand still.
  bool scrolls = false;
};

struct CensusRun : ScreenHarness {
  int W, H;
  std::string language;
  std::string sheet;  // the contact sheet's folder, "" for none
  std::vector<std::string> faults;
  std::map<std::string, int> seen;  // a fault once per size, with how many states showed it
  long missingGlyphs = 0;           // the font's count when the last state was checked

  CensusRun(int w, int h, const std::string& lang = kEnglish)
      : ScreenHarness(false, 600, false, w, h, true), W(w), H(h), language(lang) {
    if (const char* out = std::getenv("BM_CONTACT_SHEET")) sheet = out;
    // The journal is what the checks read; pixels only for the contact sheet.
    host->SetDrawingEnabled(!sheet.empty());
    services->look.drawing = true;
    if (LoadLanguage(BM_GAME_DIR, language, logs) != language) Fault("start", "no catalogue for " + language);
  }
  // The tests after the census read English.
  ~CensusRun() { UseCatalogue(nullptr, kEnglish); }
  HeadlessWindow& win() { return w(); }
  const DrawJournal& j() const { return journal->journal; }
  std::string Size() const {
    return (language == kEnglish ? "" : language + "_") + std::to_string(W) + "x" + std::to_string(H);
  }

  // Input for the next pass: the pointer, the left button, keys held.
  void Point(double x, double y, bool down = false) {
    win().SetPointer(x, y);
    win().SetButton(1, down);
  }
  void Point(const IRect& r, bool down = false) { Point((r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0, down); }
  // One pass of the screen, drawn afresh: what the screen then holds (the journal
  // keeps what a drawing leaves on the screen from before: it must cover it).
  Next Pass(Screen& sc, double ms = 40) {
    host->Virtual()->Advance(ms);
    s().window().Pump();
    s().loop.Redraw = true;
    return sc.Pass(s());
  }
  // The pointer over at for a pass, the state then checked against idle (the same screen, the pointer away).
  void Hover(Screen& sc, const std::string& state, const Expect& e, const IRect& at, const DrawJournal& idle) {
    Point(at);
    Pass(sc);
    Check(state, e, &at, &idle);
  }
  // Passes enough for anything that fades or grows to settle (the menu's highlights).
  void Settle(Screen& sc, int passes = 12) {
    for (int i = 0; i < passes; ++i) Pass(sc);
  }
  // Draws with a drawing routine given directly, over what the screen holds.
  template <class F>
  void Draw(F&& draw) {
    draw();
  }

  void Fault(const std::string& state, const std::string& what) {
    if (seen[what]++ == 0) faults.push_back(Size() + " " + state + ": " + what);
  }

  // The checks of one state. hovered: the rectangle the pointer is over, with
  // idle the same screen without the pointer there: the difference must stay near it.
  void Check(const std::string& state, const Expect& e = {}, const IRect* hovered = nullptr,
             const DrawJournal* idle = nullptr) {
    const DrawJournal& now = j();
    Rect screen{0, 0, W, H};
    std::vector<const DrawnText*> shown;
    for (const DrawnText& t : now.texts)
      if ((t.color >> 24) != 0) shown.push_back(&t);
    auto listed = [](const std::vector<std::string>& v, const std::string& s) {
      return std::find(v.begin(), v.end(), s) != v.end();
    };
    for (const DrawnText* t : shown) {
      Rect onScreen = t->box;
      if (e.scrolls) onScreen.top = onScreen.bottom = H / 2;
      if (!Inside(onScreen, screen)) Fault(state, "\"" + t->text + "\" leaves the screen: " + Show(t->box));
      // Sideways the ink stays in its rectangle; up and down it may reach a little past a thin one.
      int slackY = std::max(2, (t->box.bottom - t->box.top) / 4);
      bool fits = t->box.left >= t->target.left - 1 && t->box.right <= t->target.right + 1 &&
                  t->box.top >= t->target.top - slackY && t->box.bottom <= t->target.bottom + slackY;
      if (!fits && !listed(e.mayOverflow, t->text))
        Fault(state, "\"" + t->text + "\" " + Show(t->box) + " outside its rectangle " + Show(t->target));
    }
    for (std::size_t a = 0; a < shown.size(); ++a)
      for (std::size_t b = a + 1; b < shown.size(); ++b) {
        const DrawnText &x = *shown[a], &y = *shown[b];
        const bool bothScroll = e.scrolls && !listed(e.texts, x.text) && !listed(e.texts, y.text);
        if (bothScroll || x.text == y.text || listed(e.mayOverlap, x.text) || listed(e.mayOverlap, y.text)) continue;
        // The ink boxes run a little above and below the letters: only a real overlap counts.
        Rect inner{x.box.left + 2, x.box.top + (x.box.bottom - x.box.top) / 5, x.box.right - 2,
                   x.box.bottom - (x.box.bottom - x.box.top) / 5};
        Rect other{y.box.left + 2, y.box.top + (y.box.bottom - y.box.top) / 5, y.box.right - 2,
                   y.box.bottom - (y.box.bottom - y.box.top) / 5};
        if (Overlap(inner, other)) Fault(state, "\"" + x.text + "\" overlaps \"" + y.text + "\"");
      }
    for (const std::string& want : e.texts) {
      bool found = std::any_of(shown.begin(), shown.end(), [&](const DrawnText* t) { return t->text == want; });
      if (!found) Fault(state, "\"" + want + "\" is not drawn");
    }
    for (const std::string& path : e.pictures) {
      TextureId id = s().look.textures.Get(path);
      bool drawn = std::any_of(now.quads.begin(), now.quads.end(),
                               [&](const DrawnQuad& q) { return id && q.tex == id && (q.color >> 24) != 0; });
      if (!drawn) Fault(state, path + " is not drawn");
    }
    if (hovered && idle) CheckHoverNear(state, *hovered, *idle);
    CheckPacks(state, now);
    // A character the font lacks is drawn as a box and counted.
    if (s().look.font.MissingGlyphs() != missingGlyphs) {
      missingGlyphs = s().look.font.MissingGlyphs();
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", unsigned(s().look.font.LastMissing()));
      Fault(state, std::string("a character the font lacks: ") + code);
    }
    if (!sheet.empty()) SavePicture(state);
  }

  // Every picture the state draws comes, on the page, in a pack its screen waits
  // for (by the picture groups the screen uses; a picture of none of them, by its own).
  void CheckPacks(const std::string& state, const DrawJournal& now) {
    for (const auto& [path, id] : s().look.textures.HeldPictures()) {
      if (std::none_of(now.quads.begin(), now.quads.end(), [&](const DrawnQuad& q) { return q.tex == id; })) continue;
      const unsigned g = AssetGroupsOf(path), shown = g & s().look.textures.InUse();
      if (std::string pack = PagePackOf(path); !PackWaitedFor(shown ? shown : g, pack))
        Fault(state, path + " comes in the page's \"" + pack + "\" pack, which its screen does not wait for");
    }
  }

  // Controls a finger presses: each one's hit area covers its face, stays on the screen, is 40 CSS pixels or more
  // across where the picture is 390 high (a phone held sideways), and overlaps no other one nor `others`.
  void CheckHitAreas(const std::string& state, const std::vector<std::pair<IRect, IRect>>& areas,
                     const std::vector<IRect>& others = {}) {
    const int least = int(std::ceil(H * 40 / 390.0));
    for (std::size_t a = 0; a < areas.size(); ++a) {
      const Rect hit = RectOf(areas[a].first);
      if (!Inside(RectOf(areas[a].second), hit) || !Inside(hit, {0, 0, W, H}))
        Fault(state, "hit area " + Show(hit) + " misses its control or leaves the screen");
      if (std::min(hit.right - hit.left, hit.bottom - hit.top) < least)
        Fault(state, "hit area " + Show(hit) + " is under 40 CSS pixels on a phone");
      for (std::size_t b = 0; b < areas.size() + others.size(); ++b)
        if (b != a && Overlap(hit, RectOf(b < areas.size() ? areas[b].first : others[b - areas.size()])))
          Fault(state, "hit area " + Show(hit) + " overlaps another control");
    }
  }

  // Whatever the pointer changed lies near the rectangle it is over.
  void CheckHoverNear(const std::string& state, const IRect& r, const DrawJournal& idle) {
    Rect near{r.left - W / 12, r.top - H / 8, r.right + W / 12, r.bottom + H / 12};
    std::map<std::tuple<TextureId, int, int, int, int, Argb>, int> count;
    auto key = [](const DrawnQuad& q) {
      return std::make_tuple(q.tex, q.box.left, q.box.top, q.box.right, q.box.bottom, q.color);
    };
    for (const DrawnQuad& q : idle.quads) ++count[key(q)];
    for (const DrawnQuad& q : j().quads) --count[key(q)];
    int far = 0;
    Rect first{};
    for (const auto& [k, n] : count) {
      if (n == 0) continue;
      Rect box{std::get<1>(k), std::get<2>(k), std::get<3>(k), std::get<4>(k)};
      if (!Inside(box, near)) {
        if (far++ == 0) first = box;
      }
    }
    if (far) Fault(state, std::to_string(far) + " changes far from the pointer's " + Show(RectOf(r)) + ", as " + Show(first));
  }

  void SavePicture(const std::string& state) {
    std::string name = Size() + "_" + state;
    for (char& c : name)
      if (!std::isalnum((unsigned char)c) && c != '_' && c != '-') c = '_';
    std::filesystem::create_directories(sheet);
    s().render().SaveScreenshot((std::filesystem::path(sheet) / (name + ".png")).string());
  }

  // Body text reads at a contrast of 4.5 : 1 at least (its ink minInkPx high at
  // least), measured on the pixels: the state is drawn with its texts and again
  // with none. The last copy of the text drawn is measured (the one on top of its
  // shadow). Of the pixels it changed, the letters' body is the third nearest to
  // the text's own colour laid over what is under it (the rest is outline, shadow
  // and edge); its median tone is set against the same pixels drawn without it.
  template <class F>
  void Legible(const std::string& state, F&& draw, const std::string& text, int minInkPx = 0) {
    host->SetDrawingEnabled(true);
    Draw(draw);
    auto t = std::find_if(j().texts.rbegin(), j().texts.rend(), [&](const DrawnText& d) { return d.text == text; });
    const std::string with = dir.str() + "/with.png", without = dir.str() + "/without.png";
    double ratio = 0;
    if (t != j().texts.rend() && s().render().SaveScreenshot(with)) {
      const DrawnText shown = *t;
      if (int high = shown.box.bottom - shown.box.top; high < minInkPx)
        Fault(state, "\"" + text + "\" is " + std::to_string(high) + " pixels high");
      for (bool large : {true, false})
        for (int p = 0; p < (large ? kLargeGlyphPages : kSmallGlyphPages); ++p)
          journal->hidden.insert(s().look.textures.Get(GlyphPagePath(large, p)));
      Draw(draw);
      journal->hidden.clear();
      if (s().render().SaveScreenshot(without)) ratio = ContrastOfPixels(with, without, shown.box, shown.color);
    }
    host->SetDrawingEnabled(!sheet.empty());
    if (ratio < 4.5) Fault(state, "\"" + text + "\" reads at a contrast of " + std::to_string(ratio) + " : 1");
  }
  static double ContrastOfPixels(const std::string& withPath, const std::string& withoutPath, const Rect& box,
                                 Argb colour) {
    int w = 0, h = 0, n = 0, w2 = 0, h2 = 0;
    std::unique_ptr<unsigned char, void (*)(void*)> a(stbi_load(withPath.c_str(), &w, &h, &n, 4), stbi_image_free),
        b(stbi_load(withoutPath.c_str(), &w2, &h2, &n, 4), stbi_image_free);
    if (!a || !b || w != w2 || h != h2) return 0;
    auto tone = [](double r, double g, double b) {
      auto lin = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
      return 0.2126 * lin(r / 255) + 0.7152 * lin(g / 255) + 0.0722 * lin(b / 255);
    };
    const double alpha = (colour >> 24) / 255.0;
    std::vector<std::array<double, 3>> touched;  // nearness to the text's colour, tone with it, tone without
    for (int y = std::max(0, box.top); y < std::min(h, box.bottom); ++y)
      for (int x = std::max(0, box.left); x < std::min(w, box.right); ++x) {
        const unsigned char *p = a.get() + (std::size_t(y) * w + x) * 4, *q = b.get() + (std::size_t(y) * w + x) * 4;
        if (std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]) < 24) continue;
        auto over = [&](int k) { return alpha * ((colour >> (16 - 8 * k)) & 0xFF) + (1 - alpha) * q[k]; };
        double on = tone(p[0], p[1], p[2]);
        touched.push_back({std::abs(on - tone(over(0), over(1), over(2))), on, tone(q[0], q[1], q[2])});
      }
    if (touched.size() < 3) return 1;
    std::sort(touched.begin(), touched.end());
    touched.resize(touched.size() / 3);
    auto median = [&](int k) {
      std::vector<double> v;
      for (const auto& t : touched) v.push_back(t[std::size_t(k)]);
      std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(v.size() / 2), v.end());
      return v[v.size() / 2];
    };
    double l1 = median(1), l2 = median(2);
    return (std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05);
  }

  void Report() {
    std::string all;
    for (const std::string& f : faults) all += f + "\n";
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults:\n" << all;
  }
};

}  // namespace bm::test

#include "render/RosterDraw.h"

#include "lang/Tr.h"
#include "render/DialogDraw.h"
#include "render/OptionsDraw.h"

namespace bm {

namespace {
constexpr double kRowTop = 22, kRowStep = 5.2;

void Backdrop(Canvas& c) { DrawFramedBackdrop(c, 94); }

void FocusBar(Canvas& c, const IRect& r) { c.Fill(r.left, r.bottom + 2, r.right, r.bottom + 6, 0xFFFFFFFF); }
}  // namespace

IRect RosterLineRect(const ScreenMetrics& m, int row) {
  double t = kRowTop + row * kRowStep;
  return m.PercentRect(14, t, 76, t + kRowStep - 0.4);
}
IRect RosterDeleteRect(const ScreenMetrics& m, int row) {
  double t = kRowTop + row * kRowStep;
  return m.PercentRect(78, t, 84, t + kRowStep - 0.4);
}
IRect RosterButtonRect(const ScreenMetrics& m, int kind) {
  if (kind == roster::Add) return m.PercentRect(14, 82, 52, 89);
  if (kind == roster::Ok) return m.PercentRect(64, 82, 84, 89);
  return {};
}

std::vector<int> ListedPlayers(const PlayerTable& t) {
  std::vector<int> v;
  for (int s = kFirstPlayer; s <= kLastPlayer; ++s)
    if (!t.slot[std::size_t(s)].Name.empty()) v.push_back(s);
  return v;
}

RosterHit RosterHitAt(const ScreenMetrics& m, const PlayerTable& t, double x, double y) {
  std::vector<int> listed = ListedPlayers(t);
  for (int row = 0; row < int(listed.size()); ++row) {
    if (RosterDeleteRect(m, row).Contains(x, y)) return {roster::Delete, listed[std::size_t(row)]};
    if (RosterLineRect(m, row).Contains(x, y)) return {roster::Line, listed[std::size_t(row)]};
  }
  for (int k : {roster::Add, roster::Ok})
    if (RosterButtonRect(m, k).Contains(x, y)) return {k, 0};
  return {};
}

void DrawPlayersScreen(Canvas& c, Font& font, const PlayerTable& t, const RosterHit& hover, const RosterHit& focus,
                       const std::string& message, PointD pointer) {
  const ScreenMetrics& m = c.metrics;
  Backdrop(c);
  // TRANSLATORS: Players, name box, high scores: title of the players screen, size 0.6, not shrunk. Room: up to about
  // 30% longer than the English.
  font.Draw(c, Tr("Select your player or enter a new one"), m.PercentRect(8, 9, 92, 18), 0.6, 0xFF000000, 0xFFFFE6A0,
            Align::Center);
  std::vector<int> listed = ListedPlayers(t);
  for (int row = 0; row < int(listed.size()); ++row) {
    int s = listed[std::size_t(row)];
    const PlayerRecord& p = t.slot[std::size_t(s)];
    IRect line = RosterLineRect(m, row);
    bool current = s == t.Current();
    bool lit = (hover.kind == roster::Line && hover.slot == s) || (focus.kind == roster::Line && focus.slot == s);
    if (lit) c.Fill(line.left, line.top, line.right, line.bottom, 0x30803000);
    // The check mark stands inside the row, ahead of the name: left of it lies the frame's edge.
    const int mark = int(3.5 * m.XPercent);
    if (current) font.Draw(c, "^", IRect{line.left, line.top, line.left + mark, line.bottom}, 0.45, 0xFF000000,
                           kParchmentTitle, Align::Center);
    Argb ink = current ? kParchmentTitle : kParchmentInk;
    // The name and the score each keep to their column; a long name is set smaller.
    const int split = line.left + (line.right - line.left) * 64 / 100;
    // TRANSLATORS: Players, name box, high scores: a player's line, left column, size 0.38, shrinks to fit. %s is the
    // player's name (up to 15 letters). Room: plenty (twice the English length or more). Shown as: Player: Anne Bonny
    const std::string name = Format(Tr("Player: %s"), {p.Name}),
                      score = Format(Tr("Score: %d"), {std::to_string(p.GameScore)});
    IRect nameBox{line.left + mark + 4, line.top, split - 6, line.bottom}, scoreBox{split, line.top, line.right - 8, line.bottom};
    font.Draw(c, name, nameBox, font.FitSize(name, 0.38, m.XScale, nameBox.right - nameBox.left), 0xFF000000, ink,
              Align::Left);
    font.Draw(c, score, scoreBox, font.FitSize(score, 0.38, m.XScale, scoreBox.right - scoreBox.left), 0xFF000000, ink,
              Align::Left);
    if (current)
      font.Draw(
          // TRANSLATORS: Players, name box, high scores: small mark under the current player's line, right-aligned,
          // size 0.24. Room: plenty (twice the English length or more).
          c, Tr("CURRENT PLAYER"),
          IRect{line.left, line.bottom - int(1.4 * m.YPercent), line.right - 8, line.bottom + int(0.6 * m.YPercent)},
          0.24, 0xFF000000, kParchmentTitle, Align::Right);
    IRect del = RosterDeleteRect(m, row);
    bool delLit = (hover.kind == roster::Delete && hover.slot == s) || (focus.kind == roster::Delete && focus.slot == s);
    font.Draw(c, "#", del, 0.5, 0xFF000000, delLit ? 0xFFE03010 : 0xFF806040, Align::Center);
  }
  if (listed.empty())
    // TRANSLATORS: Players, name box, high scores: in place of the list, size 0.4. Room: plenty (twice the English
    // length or more).
    font.Draw(c, Tr("No players yet"), RosterLineRect(m, 0), 0.4, 0xFF000000, kParchmentInk, Align::Center);
  // TRANSLATORS: Players, name box, high scores: button, size 0.4, 486 px, not shrunk. Room: up to about 65% longer
  // than the English.
  DrawTextButton(c, font, RosterButtonRect(m, roster::Add), Tr("Add new player name"),
                 hover.kind == roster::Add ? 1 : 0, 0.4);
  DrawTextButton(c, font, RosterButtonRect(m, roster::Ok), TrC("button", "OK"), hover.kind == roster::Ok ? 1 : 0);
  if (focus.kind == roster::Add || focus.kind == roster::Ok) FocusBar(c, RosterButtonRect(m, focus.kind));
  if (!message.empty()) {
    std::vector<std::string> lines = SplitLines(message);
    double y = 74;
    for (const std::string& l : lines) {
      font.Draw(c, l, m.PercentRect(8, y, 92, y + 3.5), 0.32, 0xFF000000, 0xFFB02010, Align::Center);
      y += 3.5;
    }
  }
  // The hint box stands just above the pointer on a delete mark, or above the
  // mark the keyboard rests on.
  if (hover.kind == roster::Delete || focus.kind == roster::Delete) {
    PointD at = pointer;
    for (int row = 0; row < int(listed.size()) && hover.kind != roster::Delete; ++row)
      if (listed[std::size_t(row)] == focus.slot) {
        const IRect d = RosterDeleteRect(m, row);
        at = {(d.left + d.right) / 2.0, double(d.top)};
      }
    // TRANSLATORS: Players, name box, high scores: hint box just above the pointer on a delete mark, size 0.3.
    // Room: plenty (twice the English length or more).
    DrawHintBox(c, font, Tr("Click to delete corresponding player."), at);
  }
}

IRect NameBoxButtonRect(const ScreenMetrics& m, int button) {
  return button == namebox::Ok ? m.PercentRect(28, 58, 46, 65) : m.PercentRect(54, 58, 72, 65);
}

void DrawNameBox(Canvas& c, Font& font, const std::string& text, int hover, const std::string& warning) {
  const ScreenMetrics& m = c.metrics;
  IRect f = m.PercentRect(22, 32, 78, 70);
  c.Fill(0, 0, m.Width, m.Height, 0x50000000);
  c.Fill(f.left + 8, f.top + 8, f.right + 8, f.bottom + 8, 0x60000000);
  c.Fill(f.left - 3, f.top - 3, f.right + 3, f.bottom + 3, 0xFFC8A060);
  c.FillGradient(f.left, f.top, f.right, f.bottom, 0xF0183A58, 0xF00A1C2E);
  // TRANSLATORS: Players, name box, high scores: name box heading, size 0.5, not shrunk. Room: up to about 85% longer
  // than the English.
  font.Draw(c, Tr("Enter your name here:"), m.PercentRect(22, 35, 78, 42), 0.5, 0xFF000000, 0xFFFFE6A0, Align::Center);
  IRect box = m.PercentRect(27, 44, 73, 51);
  c.Fill(box.left, box.top, box.right, box.bottom, 0xC0000000);
  font.Draw(c, text + "_", box, 0.5, 0xFF000000, 0xFFFFFFFF, Align::Center);
  IRect ok = NameBoxButtonRect(m, namebox::Ok);
  DrawTextButton(c, font, ok, TrC("button", "OK"), hover == namebox::Ok ? 1 : 0);
  // TRANSLATORS: Players, name box, high scores: a wooden button plaque, size 0.45, not shrunk (205-230 px). Room: up
  // to about 65% longer than the English.
  DrawTextButton(c, font, NameBoxButtonRect(m, namebox::Cancel), TrC("button", "CANCEL"),
                 hover == namebox::Cancel ? 1 : 0);
  // The warning stands in a hint box over "OK", whichever way it was pressed.
  DrawHintBox(c, font, warning, {(ok.left + ok.right) / 2.0, double(ok.top)});
}

IRect HighScoreButtonRect(const ScreenMetrics& m, int button) {
  return button == scores::Back ? m.PercentRect(20, 82, 40, 89) : m.PercentRect(60, 82, 80, 89);
}

void DrawHighScores(Canvas& c, Font& font, const HighScoreTable& t, int hover, int focus) {
  const ScreenMetrics& m = c.metrics;
  Backdrop(c);
  // TRANSLATORS: Players, name box, high scores: title of the high-score screen, size 0.9, not shrunk. Room: plenty
  // (twice the English length or more).
  font.Draw(c, TrC("screen title", "High Scores"), m.PercentRect(8, 9, 92, 18), 0.9, 0xFF000000, 0xFFFFE6A0,
            Align::Center);
  for (int i = 1; i < kHighScoreEntries; ++i) {
    double y = 20 + (i - 1) * 6;
    Argb ink = i == 1 ? kParchmentTitle : kParchmentInk;
    font.Draw(c, std::to_string(i) + ".", m.PercentRect(16, y, 23, y + 5.5), 0.42, 0xFF000000, ink, Align::Right);
    font.Draw(c, t.entry[std::size_t(i)].EntryName, m.PercentRect(26, y, 60, y + 5.5), 0.42, 0xFF000000, ink,
              Align::Left);
    font.Draw(c, t.entry[std::size_t(i)].EntryScore, m.PercentRect(60, y, 80, y + 5.5), 0.42, 0xFF000000, ink,
              Align::Right);
  }
  // TRANSLATORS: Players, name box, high scores: a wooden button plaque, size 0.45, not shrunk (256 px). Room: plenty
  // (twice the English length or more).
  DrawTextButton(c, font, HighScoreButtonRect(m, scores::Back), TrC("button", "BACK"), hover == scores::Back ? 1 : 0);
  // TRANSLATORS: Players, name box, high scores: a wooden button plaque, size 0.45, not shrunk (256 px). Room: plenty
  // (twice the English length or more).
  DrawTextButton(c, font, HighScoreButtonRect(m, scores::Reset), TrC("button", "RESET"),
                 hover == scores::Reset ? 1 : 0);
  if (focus) FocusBar(c, HighScoreButtonRect(m, focus));
}

}  // namespace bm

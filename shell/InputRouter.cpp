#include "shell/InputRouter.h"

#include <cmath>
#include <string_view>

#include "lang/Utf8.h"
#include "storage/Players.h"

namespace bm {

bool MouseDown(Input& in, bool appActive) { return appActive && in.ButtonDown(1); }

bool MouseClicked(InputRouter& r, Input& in, bool appActive, int button) {
  bool down = (button == 1 || button == 2) && in.ButtonDown(button);
  if (down && appActive) {
    if (r.ButtonEdge[std::size_t(button)]) return false;
    r.ButtonEdge[std::size_t(button)] = true;
    return true;
  }
  if (button >= 0 && button < 4) r.ButtonEdge[std::size_t(button)] = false;
  return false;
}

void PollGlobalKeys(InputRouter& r, Input& in, bool& exitRequested) {
  if (r.CheatCode.empty()) r.CheatCode = kBuiltInCheatCode;
  if (in.KeyDown(vk::F12)) exitRequested = true;
  const std::string& code = r.CheatCode;
  bool anyDown = false;
  for (char ch : code) {
    if (!in.KeyDown((unsigned char)ch)) continue;
    anyDown = true;
    if (r.CodeKeyLatch) continue;
    r.CodeKeyLatch = true;
    r.TypedLetters += ch;
    if (r.TypedLetters.size() > code.size()) r.TypedLetters.erase(0, r.TypedLetters.size() - code.size());
    if (r.TypedLetters == code) r.CheatMode = !r.CheatMode;
  }
  r.CodeKeyLatch = anyDown;
}

namespace {
bool TakePress(bool& latch, bool down) {
  bool fresh = down && !latch;
  latch = down;
  return fresh;
}
}  // namespace

bool EscapePressed(InputRouter& r, Input& in) { return TakePress(r.EscLatch, in.KeyDown(vk::Escape)); }

bool MenuKeyPressed(InputRouter& r, Input& in) { return TakePress(r.MenuKeyLatch, in.KeyDown(vk::Menu)); }

std::string FilterName(std::string text) {
  std::u32string chars = DecodeUtf8(text);
  if (chars.size() > kNameMaxLength) chars.resize(kNameMaxLength);
  for (std::size_t i = 0; i < chars.size();) {
    if (IsNameCharacter(chars[i])) {
      ++i;
      continue;
    }
    std::erase(chars, char32_t(chars[i]));
    i = 0;
  }
  std::string out;
  for (char32_t c : chars) out += EncodeUtf8(c);
  return out;
}

namespace {

// The text without its last character (all of its bytes).
void DropLastCharacter(std::string& text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
  if (!text.empty()) text.pop_back();
}

}  // namespace

void OpenNameEntry(NameEntry& e, Input& in, const std::string& initial, bool escapeAllowed) {
  e = NameEntry{};
  e.on = true;
  e.escapeAllowed = escapeAllowed;
  e.text = FilterName(initial);
  in.TakeTypedText();
  in.StartTextInput();
}

void UpdateNameEntry(NameEntry& e, InputRouter& r, Input& in, double now) {
  if (!e.on) return;
  std::string typed = in.TakeTypedText();
  if (!typed.empty()) e.text = FilterName(e.text + typed);
  // Backspace erases at the press; held, it repeats after half a second, 20 a second.
  bool bs = in.KeyDown(vk::Backspace);
  bool erase = bs && (!e.backspaceHeld || now >= e.backspaceNext);
  if (erase) e.backspaceNext = now + (e.backspaceHeld ? 50 : 500);
  if (erase) DropLastCharacter(e.text);
  e.backspaceHeld = bs;
  static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  const int arrows[3] = {vk::Up, vk::Down, vk::Right};
  for (int i = 0; i < 3; ++i) {
    bool down = in.KeyDown(arrows[i]);
    bool fresh = down && !e.arrowsHeld[std::size_t(i)];
    e.arrowsHeld[std::size_t(i)] = down;
    if (!fresh) continue;
    if (e.text.empty() || arrows[i] == vk::Right) {
      if (DecodeUtf8(e.text).size() < kNameMaxLength) e.text += 'A';
      continue;
    }
    // The last character turns (an accented one starts over at "A").
    std::size_t n = kLetters.size(), at = kLetters.find(e.text.back());
    DropLastCharacter(e.text);
    e.text += at == std::string_view::npos ? 'A' : kLetters[(at + (arrows[i] == vk::Up ? 1 : n - 1)) % n];
  }
  if (in.KeyDown(vk::Enter) && !e.text.empty()) {
    e.on = false;
    e.accepted = true;
    in.StopTextInput();
  } else if (e.escapeAllowed && EscapePressed(r, in)) {
    e.on = false;
    e.cancelled = true;
    in.StopTextInput();
  }
}

void MenuRepeatTimer::Start(double now, double firstInterval) {
  enabled = true;
  interval = firstInterval;
  lastTick = now;
  tag.clear();
}

void MenuRepeatTimer::Update(double now) {
  if (!enabled || now - lastTick < interval) return;
  lastTick = now;
  interval = std::round(interval / 2);
  if (interval < 30) interval = 30;
  if (tag != "End") tag = "End";
}

}  // namespace bm

#include "bonus/ShopCatalogue.h"

#include <algorithm>
#include <cstdio>

#include "bonus/BonusKinds.h"
#include "lang/Tr.h"
#include "storage/ItemStatus.h"

namespace bm {

const std::array<ShopItem, 10> kShopCatalogue = [] {
  std::array<ShopItem, 10> items{};
  for (int s = 1; s <= 10; ++s) {
    const BonusKind& kind = *ShopKind(s);
    items[std::size_t(s - 1)] = {s, kind.code, s, kind.description.data(), kind.HasPower()};
  }
  return items;
}();

const char* KeyColourWord(int key) {
  const KeyKind* k = FindKey(kFirstKeyCode + key - 1);
  return k ? k->word.data() : "";
}

namespace {
// Key k as the shop's sentences name it, in the language in use.
std::string KeyPhrase(int key) {
  static const char* kPhrases[10] = {
      // TRANSLATORS: Map and Pirate Shop: the key named in the two shop sentences above. Goes into "to unlock
      // bonus|Drag-n-Drop|%s here" and "bonus locked|Find %s|to unlock it" (the object of both): give it the form
      // both need. Room: plenty (twice the English length or more).
      TrNoopC("key, in a shop sentence", "red key"),
      // TRANSLATORS: Map and Pirate Shop: the key named in the two shop sentences above. Goes into "to unlock
      // bonus|Drag-n-Drop|%s here" and "bonus locked|Find %s|to unlock it" (the object of both): give it the form
      // both need. Room: plenty (twice the English length or more).
      TrNoopC("key, in a shop sentence", "orange key"),
      // TRANSLATORS: Map and Pirate Shop: the key named in the two shop sentences above. Goes into "to unlock
      // bonus|Drag-n-Drop|%s here" and "bonus locked|Find %s|to unlock it" (the object of both): give it the form
      // both need. Room: plenty (twice the English length or more).
      TrNoopC("key, in a shop sentence", "yellow key"),
      // TRANSLATORS: Map and Pirate Shop: the key named in the two shop sentences above. Goes into "to unlock
      // bonus|Drag-n-Drop|%s here" and "bonus locked|Find %s|to unlock it" (the object of both): give it the form
      // both need. Room: plenty (twice the English length or more).
      TrNoopC("key, in a shop sentence", "lettuce key"),
      // TRANSLATORS: Map and Pirate Shop: the key named in the two shop sentences above. Goes into "to unlock
      // bonus|Drag-n-Drop|%s here" and "bonus locked|Find %s|to unlock it" (the object of both): give it the form
      // both need. Room: plenty (twice the English length or more).
      TrNoopC("key, in a shop sentence", "green key"),
      // TRANSLATORS: Map and Pirate Shop: the key named in the two shop sentences above. Goes into "to unlock
      // bonus|Drag-n-Drop|%s here" and "bonus locked|Find %s|to unlock it" (the object of both): give it the form
      // both need. Room: plenty (twice the English length or more).
      TrNoopC("key, in a shop sentence", "cyan key"),
      // TRANSLATORS: Map and Pirate Shop: the key named in the two shop sentences above. Goes into "to unlock
      // bonus|Drag-n-Drop|%s here" and "bonus locked|Find %s|to unlock it" (the object of both): give it the form
      // both need. Room: plenty (twice the English length or more).
      TrNoopC("key, in a shop sentence", "blue key"),
      // TRANSLATORS: Map and Pirate Shop: the key named in the two shop sentences above. Goes into "to unlock
      // bonus|Drag-n-Drop|%s here" and "bonus locked|Find %s|to unlock it" (the object of both): give it the form
      // both need. Room: plenty (twice the English length or more).
      TrNoopC("key, in a shop sentence", "violet key"),
      // TRANSLATORS: Map and Pirate Shop: the key named in the two shop sentences above. Goes into "to unlock
      // bonus|Drag-n-Drop|%s here" and "bonus locked|Find %s|to unlock it" (the object of both): give it the form
      // both need. Room: plenty (twice the English length or more).
      TrNoopC("key, in a shop sentence", "magenta key"),
      // TRANSLATORS: Map and Pirate Shop: the key named in the two shop sentences above. Goes into "to unlock
      // bonus|Drag-n-Drop|%s here" and "bonus locked|Find %s|to unlock it" (the object of both): give it the form
      // both need. Room: plenty (twice the English length or more).
      TrNoopC("key, in a shop sentence", "tan key")};
  return key >= 1 && key <= 10 ? TrC("key, in a shop sentence", kPhrases[key - 1]) : "";
}
}  // namespace

double ItemChancePercent(const BonusChanceTable& chance, int s) {
  if (s < 1 || s > 10) return 0;
  return chance[20] * chance[std::size_t(kShopCatalogue[std::size_t(s - 1)].code)] / 100;
}

std::string FormatChance(double x) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", x);
  std::string s = buf;
  // The C locale prints a point; the language may want its own separator.
  const std::size_t point = s.find_first_of(".,");
  // TRANSLATORS: Map and Pirate Shop: the decimal point in the chance (12.50). The decimal separator of numbers such
  // as 12.50: a comma in most languages.
  if (point != std::string::npos) s.replace(point, 1, TrC("decimal separator", "."));
  return s;
}

std::string ChanceText(int s, double percent, int powerGrade) {
  // TRANSLATORS: Map and Pirate Shop: bomb's chance text, lines 2-3, size 0.32, 284 px, shrinks. The bomb's blast at
  // this power grade (a wave one, one and a half, two or three rings wide). Room: plenty (twice the English length or
  // more); at most 2 lines.
  static const char* kWave[4] = {TrNoop("Single Wave|Detonation"),
                                 // TRANSLATORS: Map and Pirate Shop: bomb's chance text, lines 2-3, size 0.32, 284
                                 // px, shrinks. The bomb's blast at this power grade (a wave one, one and a half, two
                                 // or three rings wide). Room: up to about 80% longer than the English (it is set
                                 // smaller to fit, down to three quarters of its size); at most 2 lines.
                                 TrNoop("Single+Half Wave|Detonation"),
                                 // TRANSLATORS: Map and Pirate Shop: bomb's chance text, lines 2-3, size 0.32, 284
                                 // px, shrinks. The bomb's blast at this power grade (a wave one, one and a half, two
                                 // or three rings wide). Room: plenty (twice the English length or more); at most 2
                                 // lines.
                                 TrNoop("Double Wave|Detonation"),
                                 // TRANSLATORS: Map and Pirate Shop: bomb's chance text, lines 2-3, size 0.32, 284
                                 // px, shrinks. The bomb's blast at this power grade (a wave one, one and a half, two
                                 // or three rings wide). Room: plenty (twice the English length or more); at most 2
                                 // lines.
                                 TrNoop("Triple Wave|Detonation")};
  // TRANSLATORS: Map and Pirate Shop: pirate gun's chance text, lines 2-3, size 0.32, 284 px, shrinks. How many shots
  // the pirate gun fires at this power grade (the number as a word). Room: plenty (twice the English length or more);
  // at most 2 lines.
  static const char* kShots[4] = {TrNoop("two shots|per action"),
                                  // TRANSLATORS: Map and Pirate Shop: pirate gun's chance text, lines 2-3, size 0.32,
                                  // 284 px, shrinks. How many shots the pirate gun fires at this power grade (the
                                  // number as a word). Room: plenty (twice the English length or more); at most 2
                                  // lines.
                                  TrNoop("four shots|per action"),
                                  // TRANSLATORS: Map and Pirate Shop: pirate gun's chance text, lines 2-3, size 0.32,
                                  // 284 px, shrinks. How many shots the pirate gun fires at this power grade (the
                                  // number as a word). Room: plenty (twice the English length or more); at most 2
                                  // lines.
                                  TrNoop("six shots|per action"),
                                  // TRANSLATORS: Map and Pirate Shop: pirate gun's chance text, lines 2-3, size 0.32,
                                  // 284 px, shrinks. How many shots the pirate gun fires at this power grade (the
                                  // number as a word). Room: plenty (twice the English length or more); at most 2
                                  // lines.
                                  TrNoop("eight shots|per action")};
  static const int kSeconds[4] = {30, 60, 90, 120};
  int g = std::clamp(powerGrade, 0, 3);
  // TRANSLATORS: Map and Pirate Shop: first line of an item's chance text (lower half hovered), size 0.32, 284 px,
  // shrinks. %s is the chance with two decimals (12.50), %% the percent sign. Room: plenty (twice the English length
  // or more). Shown as: Chance: 12.50%
  std::string head = Format(Tr("Chance: %s%%"), {FormatChance(percent)}) + "|";
  switch (s) {
    case 1: return head + Tr(kWave[g]);
    case 2: return head + Tr(kShots[g]);
    case 3: {
      // Whole minutes as minutes, the rest as seconds.
      const int t = kSeconds[g];
      if (t % 60 == 0)
        return head +
               // TRANSLATORS: Map and Pirate Shop: clock's chance text, lines 2-3, size 0.32, 284 px, shrinks. %d is
               // 1 or 2. Room: plenty (twice the English length or more); at most 2 lines. Shown as: plus 2
               // minutes|per action
               Format(TrN("plus %d minute|per action", "plus %d minutes|per action", t / 60), {std::to_string(t / 60)});
      // TRANSLATORS: Map and Pirate Shop: clock's chance text, lines 2-3, size 0.32, 284 px, shrinks. %d is 30 or 90:
      // the time a clock adds. Room: plenty (twice the English length or more); at most 2 lines. Shown as: plus 30
      // seconds|per action
      return head + Format(TrN("plus %d second|per action", "plus %d seconds|per action", t), {std::to_string(t)});
    }
    case 4: {
      const int points = 1000 << g;
      // TRANSLATORS: Map and Pirate Shop: chest's chance text, lines 2-3, size 0.32, 284 px, shrinks. %d is 1000,
      // 2000, 4000 or 8000. Room: plenty (twice the English length or more); at most 2 lines. Shown as: score
      // increases|by 4000 points
      return head + Format(TrN("score increases|by %d point", "score increases|by %d points", points),
                           {std::to_string(points)});
    }
    default: return head;
  }
}

std::string LockedText(int keyColour, bool holdsKey) {
  const std::string word = KeyPhrase(keyColour);
  // TRANSLATORS: Map and Pirate Shop: locked item's text when the player holds its key, dark red, size 0.32, 3 lines
  // of 284 px, shrinks. %s is a key, as translated under the context "key, in a shop sentence" ("red key"). Room:
  // plenty (twice the English length or more); at most 3 lines. Shown as: to unlock bonus|Drag-n-Drop|red key here
  if (holdsKey) return Format(Tr("to unlock bonus|Drag-n-Drop|%s here"), {word});
  // TRANSLATORS: Map and Pirate Shop: locked item's text, grey, size 0.32, 3 lines of 284 px, shrinks. %s is a key,
  // as translated under the context "key, in a shop sentence". Room: plenty (twice the English length or more); at
  // most 3 lines. Shown as: bonus locked|Find red key|to unlock it
  return Format(Tr("bonus locked|Find %s|to unlock it"), {word});
}

std::string LockedText(const ItemStatus& status, int slot, int s) {
  if (slot < 0 || slot >= kItemSlots || s < 1 || s > 10) return LockedText(s, false);
  const ItemRecord& items = status.items[std::size_t(slot)];
  int colour = Lock(items, s).Index;
  bool holds = colour >= 1 && colour <= 10 && Key(items, colour).Flag != 0;
  return LockedText(colour, holds);
}

}  // namespace bm

// Every bonus kind in one table: its code, how the refill draws it, what it
// gives when it is taken, the picture and the cue it shows and sounds, what the
// Pirate Shop sells of it and what the bot makes of it. The rules, the drawing,
// the sound layer and the generators all read this table.
//
// A new kind is a row here (with its code and, for a new sound, its cue in
// kBonusCues), a painter for its picture (tools/artgen/BonusItems.cpp) and a
// recipe for its sound (tools/soundgen/SfxBonus.cpp). A new kind of reward is
// one more case in bonus/Rewards.cpp; a new kind of flying effect an EffectKind
// (bonus/BonusState.h) with its flight in bonus/Effects.cpp and its look in
// render/BonusDraw.cpp. The ten keys are the second table below. Only the readers' .cpp files (and
// the picture and cue lists) include it, so a changed row rebuilds little.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "board/ItemCodes.h"
#include "bonus/BonusState.h"
#include "lang/Tr.h"

namespace bm {

namespace item {
inline constexpr int Chest = 41, Life = 42, Clock = 43, Bomb = 44, SeismicGem = 45, Shuffle = 46, Parrot = 47,
                     Rum = 48, Cannonball = 49, PirateGun = 50, Anchor = 51, GoldenSun = 52, SeismicRay = 53,
                     BlueStar = 54, GoldStar = 55;
}  // namespace item

// What taking the item gives.
enum class Reward : std::uint8_t {
  None,      // a popup and nothing more
  Points,    // points by power grade, paid when the popup ends
  Time,      // seconds by power grade, added to the hourglass when the popup ends
  Life,      // a life at once
  Effect,    // a flying effect starts at the cell
  Stock,     // one more for its panel button, when the popup reaches the button
  Rum,       // the jewels swap by themselves for a while, from when the popup ends
  BlueStar,  // the first free blue-star slot of the player
  GoldStar,  // the first free gold-star slot
};

// Whether the refill's bonus draw may choose it.
enum class Draw : std::uint8_t { Never, Always, OnceShopOpen };

// What makes it rarer than its chance says.
enum class Damp : std::uint8_t { None, ByLives, BySand };

// How the bot values swapping it: a flat worth, or by what it would gild.
enum class BotAim : std::uint8_t { Flat, Blast, Rays, Shots, SameKind, Time, Stir };

// What the shop's power grade g (0..3) makes of a kind. Only kinds with a
// shop line have one. (The arrays of words are spelled out empty: GCC 12 cannot
// read a defaulted one in a constant expression.)
struct PowerGrades {
  std::array<double, 4> amount{};                           // points, seconds, shots or rings
  std::array<std::string_view, 4> word = {"", "", "", ""};  // how the shop and the popup say it
  std::string_view shopLine;  // the chance text's second half; '%' stands for the word
};

struct BonusKind {
  int code = 0;
  std::string_view name;
  std::string_view picture;  // below the program folder
  std::string_view cue;      // sounded when it is taken; "" for none
  std::array<std::string_view, 4> powerCues = {"", "", "", ""};  // instead of cue, by power grade
  std::uint32_t glow = 0;         // ARGB of the glow under it on the board; 0 for none
  std::uint32_t popupColour = 0;  // ARGB; 0 for a random colour
  std::string_view popupText;     // '%' stands for the power grade's word
  Reward reward = Reward::None;
  EffectKind effect = EffectKind::None;
  StockButton button = StockButton::None;
  int tip = 0;  // the tip it offers: the rum's when taken, a stock bonus's when it reaches its button
  Draw draw = Draw::Always;
  double chance = 0;  // fixed placement chance in percent, for a kind the shop does not sell
  Damp damp = Damp::None;
  std::string_view description;  // its text in the Pirate Shop (kShopOrder); "|" breaks lines
  PowerGrades power;
  BotAim bot = BotAim::Flat;
  double botWorth = 0;  // a flat worth, or the base of a graded one

  constexpr bool HasPower() const { return !power.shopLine.empty(); }
};

inline constexpr int kFirstBonusKind = 41;

constexpr int ClampGrade(int g) { return g < 0 ? 0 : g > 3 ? 3 : g; }

// In code order, from 41 on without a gap.
inline constexpr std::array<BonusKind, 15> kBonusKinds = {{
    {.code = item::Chest, .name = "chest", .picture = "256/chest4.png", .cue = "bon_treasure", .glow = 0xFF40FF00,
     .popupColour = 0xFFFFFF80, .popupText = "+% Points", .reward = Reward::Points,
     // TRANSLATORS: Map and Pirate Shop: shop item's description on the dark panel under its card (upper half
     // hovered), size 0.32, 3 lines of 284 px, each shrinks to fit. "|" starts a new line; 3 lines. The bonus's name
     // comes first: translate the names as in the rest of the game. Room: plenty (twice the English length or more);
     // at most 3 lines.
     .description = TrNoop("Pirate Chest -|gives additional|score points"),
     .power = {{1000, 2000, 4000, 8000}, {"1000", "2000", "4000", "8000"}, "score increases|by % points"},
     .botWorth = 220},
    {.code = item::Life, .name = "life", .picture = "256/life2.png", .cue = "bon_life", .glow = 0xFFFF0080,
     // TRANSLATORS: Playing a level: popup rising from a life, size 0.36, 400 px. Room: plenty (twice the English
     // length or more).
     .popupColour = 0xFFFF80FF, .popupText = TrNoop("+1 LIFE"), .reward = Reward::Life, .damp = Damp::ByLives,
     // TRANSLATORS: Map and Pirate Shop: shop item's description on the dark panel under its card (upper half
     // hovered), size 0.32, 3 lines of 284 px, each shrinks to fit. "|" starts a new line; 3 lines. The bonus's name
     // comes first: translate the names as in the rest of the game. Room: plenty (twice the English length or more);
     // at most 3 lines.
     .description = TrNoop("Life -|gives one|additional life"), .botWorth = 300},
    {.code = item::Clock, .name = "clock", .picture = "256/clock2.png", .cue = "bon_clock", .glow = 0xFF00FF80,
     .popupColour = 0xFF80FFFF, .popupText = "+%", .reward = Reward::Time, .damp = Damp::BySand,
     // TRANSLATORS: Map and Pirate Shop: shop item's description on the dark panel under its card (upper half
     // hovered), size 0.32, 3 lines of 284 px, each shrinks to fit. "|" starts a new line; 3 lines. The bonus's name
     // comes first: translate the names as in the rest of the game. Room: plenty (twice the English length or more);
     // at most 3 lines.
     .description = TrNoop("Pirate Clock -|gives additional|time on level"),
     .power = {{30, 60, 90, 120}, {"30 seconds", "1 minute", "90 seconds", "2 minutes"}, "plus %|per action"},
     .bot = BotAim::Time, .botWorth = 250},
    {.code = item::Bomb, .name = "bomb", .picture = "256/bomb2.png",
     .powerCues = {"bon_bomb1", "bon_bomb2", "bon_bomb3", "bon_bomb4"}, .glow = 0xFF000000,
     .popupColour = 0xFF80FFFF, .reward = Reward::Effect, .effect = EffectKind::Bomb,
     // TRANSLATORS: Map and Pirate Shop: shop item's description on the dark panel under its card (upper half
     // hovered), size 0.32, 3 lines of 284 px, each shrinks to fit. "|" starts a new line; 3 lines. The bonus's name
     // comes first: translate the names as in the rest of the game. Room: up to about 95% longer than the English (it
     // is set smaller to fit, down to three quarters of its size); at most 3 lines.
     .description = TrNoop("BOMB - explodes|and turns nearby|tiles to gold"),
     .power = {{1, 1.5, 2, 3}, {"Single", "Single+Half", "Double", "Triple"}, "% Wave|Detonation"},
     .bot = BotAim::Blast},
    {.code = item::SeismicGem, .name = "Seismic Gem", .picture = "256/rainbow.png", .cue = "bon_reso",
     .glow = 0xFFFFFFFF, .reward = Reward::Effect, .effect = EffectKind::Rainbow,
     // TRANSLATORS: Map and Pirate Shop: shop item's description on the dark panel under its card (upper half
     // hovered), size 0.32, 3 lines of 284 px, each shrinks to fit. "|" starts a new line; 3 lines. The bonus's name
     // comes first: translate the names as in the rest of the game. Room: plenty (twice the English length or more);
     // at most 3 lines.
     .description = TrNoop("Seismic Gem -|destroys jewels|of one kind"), .bot = BotAim::SameKind},
    {.code = item::Shuffle, .name = "shuffle", .picture = "256/shuffle.png", .cue = "bon_pick", .glow = 0xFF00FF00,
     .reward = Reward::Stock, .button = StockButton::Shuffle, .tip = 7, .chance = 5, .botWorth = 220},
    {.code = item::Parrot, .name = "parrot", .picture = "256/parrot2.png", .cue = "bon_pick", .glow = 0xFFFFFFFF,
     .reward = Reward::Stock, .button = StockButton::Parrot, .tip = 8,
     // TRANSLATORS: Map and Pirate Shop: shop item's description on the dark panel under its card (upper half
     // hovered), size 0.32, 3 lines of 284 px, each shrinks to fit. "|" starts a new line; 3 lines. The bonus's name
     // comes first: translate the names as in the rest of the game. Room: plenty (twice the English length or more);
     // at most 3 lines.
     .description = TrNoop("Parrot - Allows|you to see all|available moves"), .botWorth = 220},
    {.code = item::Rum, .name = "rum", .picture = "256/rum.png", .cue = "bon_rum", .glow = 0xFF8080FF,
     .reward = Reward::Rum, .tip = 9, .chance = 5, .bot = BotAim::Stir},
    {.code = item::Cannonball, .name = "cannonball", .picture = "256/core.png", .cue = "bon_push",
     .glow = 0xFF0000FF, .reward = Reward::Effect, .effect = EffectKind::Core,
     // TRANSLATORS: Map and Pirate Shop: shop item's description on the dark panel under its card (upper half
     // hovered), size 0.32, 3 lines of 284 px, each shrinks to fit. "|" starts a new line; 3 lines. The bonus's name
     // comes first: translate the names as in the rest of the game. Room: plenty (twice the English length or more);
     // at most 3 lines.
     .description = TrNoop("Cannonball -|shoots in all|directions"), .bot = BotAim::Rays},
    {.code = item::PirateGun, .name = "pirate gun", .picture = "256/gun.png", .cue = "bon_gun", .glow = 0xFFFFFF00,
     .reward = Reward::Effect, .effect = EffectKind::Gun,
     // TRANSLATORS: Map and Pirate Shop: shop item's description on the dark panel under its card (upper half
     // hovered), size 0.32, 3 lines of 284 px, each shrinks to fit. "|" starts a new line; 3 lines. The bonus's name
     // comes first: translate the names as in the rest of the game. Room: up to about 90% longer than the English (it
     // is set smaller to fit, down to three quarters of its size); at most 3 lines.
     .description = TrNoop("Pirate Gun -|shoots certain|unconverted tiles"),
     .power = {{2, 4, 6, 8}, {"two", "four", "six", "eight"}, "% shots|per action"}, .bot = BotAim::Shots},
    {.code = item::Anchor, .name = "anchor", .picture = "256/hook.png", .cue = "bon_anc", .glow = 0xFFFF8000,
     .reward = Reward::Stock, .button = StockButton::Hook, .tip = 10,
     // TRANSLATORS: Map and Pirate Shop: shop item's description on the dark panel under its card (upper half
     // hovered), size 0.32, 3 lines of 284 px, each shrinks to fit. "|" starts a new line; 3 lines. The bonus's name
     // comes first: translate the names as in the rest of the game. Room: plenty (twice the English length or more);
     // at most 3 lines.
     .description = TrNoop("Anchor - Allows|you to swap|ranged jewels"), .botWorth = 220},
    {.code = item::GoldenSun, .name = "golden sun", .picture = "256/sun.png", .cue = "bon_pick", .glow = 0xFF804000,
     .reward = Reward::Stock, .button = StockButton::Sun, .tip = 11,
     // TRANSLATORS: Map and Pirate Shop: shop item's description on the dark panel under its card (upper half
     // hovered), size 0.32, 3 lines of 284 px, each shrinks to fit. "|" starts a new line; 3 lines. The bonus's name
     // comes first: translate the names as in the rest of the game. Room: plenty (twice the English length or more);
     // at most 3 lines.
     .description = TrNoop("Golden Sun -|Allows you to|remove objects"), .botWorth = 220},
    // Never placed: its picture is the Seismic Gem's rays.
    {.code = item::SeismicRay, .name = "Seismic Gem's ray", .picture = "256/rainbow2.png", .draw = Draw::Never,
     .botWorth = 220},
    {.code = item::BlueStar, .name = "blue star", .picture = "256/star-blue.png", .cue = "bon_coin_blue",
     .glow = 0xFF60A0FF, .reward = Reward::BlueStar, .draw = Draw::OnceShopOpen, .chance = 3, .botWorth = 300},
    {.code = item::GoldStar, .name = "gold star", .picture = "256/star-gold.png", .cue = "bon_coin_gold",
     .glow = 0xFFFFC840, .reward = Reward::GoldStar, .draw = Draw::OnceShopOpen, .chance = 3, .botWorth = 300},
}};

// The kind of a code; null for a code that is none (a jewel, a key, 56..60).
constexpr const BonusKind* FindBonusKind(int code) {
  int i = code - kFirstBonusKind;
  return i >= 0 && i < int(kBonusKinds.size()) ? &kBonusKinds[std::size_t(i)] : nullptr;
}
constexpr const BonusKind& BonusKindOf(int code) { return *FindBonusKind(code); }

// What the Pirate Shop sells, slot 1 first: the kinds with a description.
inline constexpr std::array<int, 10> kShopOrder = {item::Bomb,       item::PirateGun, item::Clock,     item::Chest,
                                                   item::SeismicGem, item::Parrot,    item::GoldenSun, item::Anchor,
                                                   item::Life,       item::Cannonball};

// The kind sold in shop slot s (1..10); null for any other s.
constexpr const BonusKind* ShopKind(int s) {
  return s >= 1 && s <= int(kShopOrder.size()) ? FindBonusKind(kShopOrder[std::size_t(s - 1)]) : nullptr;
}
// The shop slot of a kind; 0 for a kind the shop does not sell.
constexpr int ShopSlotOf(const BonusKind& k) {
  for (std::size_t i = 0; i < kShopOrder.size(); ++i)
    if (kShopOrder[i] == k.code) return int(i) + 1;
  return 0;
}

// The kind whose popup flies to a panel button; null for the show-free button.
constexpr const BonusKind* ButtonKind(StockButton b) {
  for (const BonusKind& k : kBonusKinds)
    if (b != StockButton::None && k.button == b) return &k;
  return nullptr;
}

// The cue a kind sounds when taken at a power grade.
constexpr std::string_view TakenCue(const BonusKind& k, int grade) {
  std::string_view graded = k.powerCues[std::size_t(ClampGrade(grade))];
  return graded.empty() ? k.cue : graded;
}

// A text of a kind at a power grade (its popup text, its shop line): the
// pattern with '%' standing for the grade's word.
inline std::string GradeText(const BonusKind& k, std::string_view pattern, int grade) {
  std::string text(pattern);
  if (std::size_t at = text.find('%'); at != std::string::npos)
    text.replace(at, 1, k.power.word[std::size_t(ClampGrade(grade))]);
  return text;
}

// The codes the refill's bonus draw chooses from, in draw order: the kinds that
// may always come, then those that come once the shop has something open.
inline constexpr int kDrawnAlways = [] {
  int n = 0;
  for (const BonusKind& k : kBonusKinds) n += k.draw == Draw::Always;
  return n;
}();
inline constexpr auto kSpawnDraw = [] {
  constexpr int n = [] {
    int c = 0;
    for (const BonusKind& k : kBonusKinds) c += k.draw != Draw::Never;
    return c;
  }();
  std::array<int, n> codes{};
  std::size_t at = 0;
  for (Draw d : {Draw::Always, Draw::OnceShopOpen})
    for (const BonusKind& k : kBonusKinds)
      if (k.draw == d) codes[at++] = k.code;
  return codes;
}();

// The ten keys: key k has code 70 + k, fits shop item k at the start and may
// appear on the board from its first level on.
struct KeyKind {
  int key = 0;                 // 1..10
  std::string_view name;       // "Red": its popup says "Red Key Revealed"
  std::string_view word;       // the shop's colour word
  std::uint32_t popupColour = 0;
  std::uint32_t glow = 0;
  int firstLevel = 0;
  std::string_view picture;
};

inline constexpr int kFirstKeyCode = item::FirstKey;
inline constexpr std::string_view kKeyCue = "bon_key";
inline constexpr int kKeyTip = 6;

inline constexpr std::array<KeyKind, 10> kKeys = {{
    {1, "Red", "red", 0xFFFFC0C0, 0xFFFF0000, 6, "red/shop/key01.png"},
    {2, "Orange", "orange", 0xFFFFE0A0, 0xFFFF8C00, 56, "red/shop/key02.png"},
    {3, "Yellow", "yellow", 0xFFFFFFA0, 0xFFFFE600, 29, "red/shop/key03.png"},
    {4, "Lettuce", "lettuce", 0xFFC0FFA0, 0xFFAAFF3C, 4, "red/shop/key04.png"},
    {5, "Green", "green", 0xFFA0FFA0, 0xFF00C83C, 46, "red/shop/key05.png"},
    {6, "Cyan", "cyan", 0xFFA0FFFF, 0xFF00E6E6, 8, "red/shop/key06.png"},
    {7, "Blue", "blue", 0xFFA0C0FF, 0xFF2850FF, 23, "red/shop/key07.png"},
    {8, "Purple", "violet", 0xFFC0A0FF, 0xFF963CFF, 13, "red/shop/key08.png"},
    {9, "Magenta", "magenta", 0xFFFFA0FF, 0xFFFF00C8, 16, "red/shop/key09.png"},
    {10, "Tan", "tan", 0xFFFFC0A0, 0xFFD2AA6E, 36, "red/shop/key10.png"},
}};

// The key of a code; null for any other code.
constexpr const KeyKind* FindKey(int code) {
  int i = code - kFirstKeyCode;
  return i >= 0 && i < int(kKeys.size()) ? &kKeys[std::size_t(i)] : nullptr;
}

// Every cue of the bonus side in the order the sound file lists them first:
// the kinds' own, the stock buttons' and the rum's, the key's, the spyglass's
// and the one of the stock bonuses taken.
inline constexpr std::array<std::string_view, 21> kBonusCues = {
    "bon_treasure", "bon_life",      "bon_clock",      "bon_bomb1", "bon_bomb2",     "bon_bomb3", "bon_bomb4",
    "bon_reso",     "bon_reshuf",    "bon_parrot",     "bon_rum",   "bon_rum_change", "bon_push", "bon_gun",
    "bon_anc",      "bon_sun",       "bon_coin_blue",  "bon_coin_gold", "bon_key",    "bon_sign",  "bon_pick"};

namespace bonus_table_checks {
constexpr bool Listed(std::string_view cue) {
  if (cue.empty()) return true;
  for (std::string_view c : kBonusCues)
    if (c == cue) return true;
  return false;
}
constexpr bool Holds() {
  for (std::size_t i = 0; i < kBonusKinds.size(); ++i) {
    const BonusKind& k = kBonusKinds[i];
    if (k.code != kFirstBonusKind + int(i) || !IsBonus(k.code) || !Listed(k.cue)) return false;
    if ((k.reward == Reward::BlueStar || k.reward == Reward::GoldStar) != IsStar(k.code)) return false;
    for (std::string_view c : k.powerCues)
      if (!Listed(c)) return false;
    if (k.description.empty() != (ShopSlotOf(k) == 0)) return false;
    if (k.button != StockButton::None && ButtonKind(k.button) != &k) return false;
    if ((k.reward == Reward::Stock) != (k.button != StockButton::None)) return false;
  }
  for (std::size_t i = 0; i < kKeys.size(); ++i)
    if (kKeys[i].key != int(i) + 1) return false;
  return Listed(kKeyCue);
}
}  // namespace bonus_table_checks
static_assert(bonus_table_checks::Holds(),
              "each kind at its bonus code, the stars where the board keeps them, its cues in kBonusCues, "
              "the shop's kinds each in it once, each stock bonus with a button of its own, the keys in order");

}  // namespace bm

// What the bonuses keep while a level is played: the flying effect objects of
// the destructive bonuses, the reward popups, the spawn chance table, the rum
// clock, the show-free flash and the bonus figures of a run.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace bm {

inline constexpr int kEffectSlots = 1001;  // slots 0..1000
inline constexpr int kPopupSlots = 101;    // slots 0..100
inline constexpr double kPopupLifetimeMs = 1000;
inline constexpr double kRumIntervalMs = 1000;

// The flying objects of the destructive bonuses.
enum class EffectKind : std::uint8_t { None, Bomb, Rainbow, Core, Gun };

// The play panel's bonus buttons: where a stock bonus's popup ends.
enum class StockButton : std::uint8_t { None, ShowFree, Parrot, Shuffle, Hook, Sun };

// One flame, shot or ray, in screen pixels.
struct EffectObject {
  bool Active = false;
  double FromX = 0, FromY = 0, ToX = 0, ToY = 0;
  double X = 0, Y = 0;
  double Spin = 0;      // Seismic Gem rays: the spin angle, radians; bomb flames: the reach factor q
  double Progress = 0;  // 0..1 along the flight (a flame: its turn over its whole reach)
  double Turn = 0;      // bomb flames: the turn angle theta, degrees
  double Offset = 0;    // bomb flames: the phase offset, degrees
  EffectKind Kind = EffectKind::None;
  std::uint32_t Color = 0xFFFFFFFF;
  int Owner = 0;         // the cell of the bonus that made it
  int OwnerGem = 0;      // that bonus's code
  int Target = -1;       // the target cell, where there is one
  int LastCell = -1;     // the last cell it hit
};

struct RewardPopup {
  bool Active = false;
  double Lifetime = kPopupLifetimeMs;  // ms
  double Start = 0;                    // clock, ms
  double FromX = 0, FromY = 0;         // screen pixels: where it starts
  double ToX = 0, ToY = 0;             // and where it ends (its button, or above the cell)
  double X = 0, Y = 0;                 // where it is now
  double T = 0;                        // progress 0..1
  std::string Text;
  std::uint32_t Color = 0xFFFFFFFF;
  int Code = 0;  // the item it rewards
  StockButton Button = StockButton::None;
};

// Figures of a run, for the report.
struct BonusFigures {
  std::array<long, 101> spawned{};  // by item code
  std::array<long, 101> used{};     // by item code: triggered or collected on the board, or pressed on the panel
  std::array<long, 101> pressed{};  // by item code: the stock buttons pressed on the panel alone
  long keysFound = 0;
  long starsFound = 0;
  int effectsPeak = 0;
};

struct BonusState {
  std::array<EffectObject, kEffectSlots> Effects{};
  int EffectsAlive = 0;   // active effect objects
  int HoldingAlive = 0;   // active Seismic Gem rays and bomb flames: the board is not idle

  std::array<RewardPopup, kPopupSlots> Popups{};
  int PopupsAlive = 0;

  // Spawn chances by item code: entry 0 the number of codes drawn from, entry
  // 20 the attempt factor, 41..55 the placement chances in percent.
  std::array<double, 101> BonusChance{};

  double RumTimer = 0;   // clock of the last rum tick
  bool RumFlag = false;  // some rum was in stock during this play

  // The show-free flash of the tiles not gold yet: two turns of an angle.
  bool ShowFreeActive = false;
  double ShowFreeAngle = 0;  // degrees

  BonusFigures Figures;
};

// Frees every effect and popup slot and stops the flash: a level starts.
void ResetBonusLevel(BonusState& b, double now);

}  // namespace bm

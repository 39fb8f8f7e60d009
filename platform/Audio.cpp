#include "platform/Audio.h"

#include <cmath>

namespace bm {

namespace {
double GainOf(long hundredthsDb) {
  if (hundredthsDb <= MusicDevice::kMinVolume) return 0.0;
  return std::pow(10.0, double(hundredthsDb) / 2000.0);
}
}  // namespace

StereoGain TrackGain(long volume, long balance) {
  StereoGain g;
  g.left = g.right = GainOf(volume);
  if (balance > 0) g.left *= GainOf(-balance);
  if (balance < 0) g.right *= GainOf(balance);
  return g;
}

}  // namespace bm

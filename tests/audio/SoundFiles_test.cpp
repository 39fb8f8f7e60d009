// The generated sound files: every cue's file decodes and is levelled, the music
// is long enough, and the looping sounds come round without a click.
#include <gtest/gtest.h>

#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/SoundFX.h"
#include "diag/Logs.h"
#include "platform/headless/HeadlessAudio.h"
#include "progress/MapView.h"
#include "tests/audio/AudioTestKit.h"

namespace bm {
namespace {

const std::string kGameDir = BM_GAME_DIR;

const std::vector<std::string> kMusic = {"music/track-menu.ogg", "music/track01.ogg", "music/track02.ogg"};

struct Decoded {
  int channels = 0, rate = 0;
  std::vector<std::vector<float>> ch;  // per channel, full scale 1.0
  double Seconds() const { return ch.empty() || rate == 0 ? 0.0 : double(ch[0].size()) / rate; }
};

Decoded Decode(const std::string& path) {
  Decoded d;
  short* pcm = nullptr;
  int frames = stb_vorbis_decode_filename(path.c_str(), &d.channels, &d.rate, &pcm);
  if (frames <= 0 || !pcm || d.channels <= 0) {
    std::free(pcm);
    d.channels = 0;
    return d;
  }
  d.ch.assign(std::size_t(d.channels), std::vector<float>(std::size_t(frames)));
  for (int i = 0; i < frames; ++i)
    for (int c = 0; c < d.channels; ++c) d.ch[std::size_t(c)][std::size_t(i)] = pcm[i * d.channels + c] / 32768.0f;
  std::free(pcm);
  return d;
}

// The file of a cue as the catalogue names it (upper-cased, backslashes), on disk in lower case.
std::string CueFilePath(const SfxCue& cue) {
  std::string p = cue.File;
  for (char& c : p) c = c == '\\' ? '/' : char(std::tolower(static_cast<unsigned char>(c)));
  return kGameDir + p;
}

double Rms(const std::vector<double>& v) {
  double s = 0;
  for (double x : v) s += x * x;
  return v.empty() ? 0.0 : std::sqrt(s / double(v.size()));
}

// How the wrap from the last sample back to the first compares with the sound's
// own movement on either side of the seam: a click is a step, or a kink in the
// slope, far above the usual there. The small floor spares near-silent seams.
struct Seam {
  double step = 0, stepLimit = 0, bend = 0, bendLimit = 0;
  bool Clean() const { return step <= stepLimit && bend <= bendLimit; }
};

std::vector<Seam> MeasureSeams(const Decoded& d) {
  const long window = 1024;
  std::vector<Seam> out;
  for (const std::vector<float>& x : d.ch) {
    const long n = long(x.size());
    if (n < 4 * window) return {};
    auto at = [&](long i) { return double(x[std::size_t(((i % n) + n) % n)]); };
    std::vector<double> steps, bends;
    for (long i = -window; i < window; ++i) {
      if (i >= -2 && i <= 0) continue;  // the differences that span the seam
      steps.push_back(at(i + 1) - at(i));
      bends.push_back(at(i + 2) - 2 * at(i + 1) + at(i));
    }
    Seam s;
    s.step = std::fabs(at(0) - at(-1));
    s.stepLimit = 4.0 * Rms(steps) + 0.004;
    s.bend = std::max(std::fabs(at(0) - 2 * at(-1) + at(-2)), std::fabs(at(1) - 2 * at(0) + at(-1)));
    s.bendLimit = 5.0 * Rms(bends) + 0.004;
    out.push_back(s);
  }
  return out;
}

void ExpectSeamless(const std::string& what, const Decoded& d) {
  std::vector<Seam> seams = MeasureSeams(d);
  ASSERT_EQ(seams.size(), d.ch.size()) << what << " is too short to judge";
  for (std::size_t c = 0; c < seams.size(); ++c) {
    EXPECT_LE(seams[c].step, seams[c].stepLimit) << what << " channel " << c << ": first and last samples far apart";
    EXPECT_LE(seams[c].bend, seams[c].bendLimit) << what << " channel " << c << ": slope jumps at the seam";
  }
}

Decoded Sine(double hz, double seconds) {
  Decoded d;
  d.channels = 1;
  d.rate = 44100;
  d.ch.assign(1, std::vector<float>(std::size_t(seconds * d.rate)));
  for (std::size_t i = 0; i < d.ch[0].size(); ++i) d.ch[0][i] = float(0.3 * std::sin(2 * 3.14159265358979 * hz * double(i) / d.rate));
  return d;
}

TEST(SoundSeamCheck, PassesAWholeLoopAndFlagsAClick) {
  // 441 Hz fits one second exactly; 440.5 Hz ends half a cycle off, so its slope
  // flips at the seam; 440.25 Hz ends near a crest and jumps back to zero.
  auto seam = [](double hz) {
    std::vector<Seam> s = MeasureSeams(Sine(hz, 1.0));
    return s.size() == 1 ? s[0] : Seam{1, 0, 1, 0};
  };
  EXPECT_TRUE(seam(441.0).Clean());
  EXPECT_FALSE(seam(440.5).Clean());
  EXPECT_GT(seam(440.25).step, seam(440.25).stepLimit);
  // Near silence: a tiny jump is no audible click.
  Decoded quiet = Sine(440.5, 1.0);
  for (float& v : quiet.ch[0]) v *= 0.005f;
  EXPECT_TRUE(MeasureSeams(quiet)[0].Clean());
}

// The shipped catalogue as the game loads it (its own checks: SoundFx.GeneratedCatalogue...).
class SoundFiles : public ::testing::Test {
 protected:
  test::TempDir logDir_;
  test::ManualClock clock_;
  Logs logs_{logDir_.str()};
  HeadlessSoundDevice device_{clock_};
  SoundFx sfx_{device_, clock_, logs_, kGameDir};
  void SetUp() override {
    sfx_.LoadLogoSFX();
    sfx_.loadAllSFX();
  }
};

TEST_F(SoundFiles, EveryCueFileDecodesAndIsLevelled) {
  for (const SfxCue& cue : sfx_.Cues) {
    const std::string path = CueFilePath(cue);
    Decoded d = Decode(path);
    ASSERT_GT(d.channels, 0) << path << " does not decode";
    EXPECT_LE(d.channels, 2) << path;
    EXPECT_EQ(d.rate, 44100) << path;
    EXPECT_GT(d.Seconds(), 0.05) << path;
    EXPECT_LT(d.Seconds(), 10.0) << path;
    float peak = 0;
    for (const auto& ch : d.ch)
      for (float v : ch) peak = std::max(peak, std::fabs(v));
    EXPECT_GT(peak, 0.03f) << path << " is nearly silent";
    EXPECT_LT(peak, 0.95f) << path << " is too hot";
  }
}

// The music runs a minute in stereo, the map's ambience loops at least three seconds; both come round without a click.
TEST_F(SoundFiles, LoopsRunLongEnoughAndComeRoundCleanly) {
  for (const std::string& file : kMusic) {
    Decoded d = Decode(kGameDir + "/" + file);
    ASSERT_EQ(d.channels, 2) << file << " does not decode as stereo";
    EXPECT_EQ(d.rate, 44100) << file;
    EXPECT_GE(d.Seconds(), 60.0) << file;
    ExpectSeamless(file, d);
  }
  for (int stage = 1; stage <= 7; ++stage) {
    const std::string cue = StageAmbience(stage);
    Decoded d = Decode(CueFilePath(*sfx_.Cue(cue)));
    ASSERT_GT(d.channels, 0) << cue;
    EXPECT_GE(d.Seconds(), 3.0) << cue << " is too short to loop unnoticed";
    ExpectSeamless(cue, d);
  }
}

}  // namespace
}  // namespace bm

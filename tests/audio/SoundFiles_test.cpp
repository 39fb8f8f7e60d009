// The generated sound catalogue and its files: every cue the game loads is
// listed once with a unique id, every file decodes, the music is long enough,
// and the looping sounds come round without a click.
#include <gtest/gtest.h>

#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kGameDir = BM_GAME_DIR;

// Every cue in the order the game loads them.
const std::vector<std::string> kCues = {
    "bon_treasure", "bon_life", "bon_clock", "bon_bomb1", "bon_bomb2", "bon_bomb3", "bon_bomb4", "bon_reso",
    "bon_reshuf", "bon_parrot", "bon_rum", "bon_rum_change", "bon_push", "bon_gun", "bon_anc", "bon_sun",
    "bon_coin_blue", "bon_coin_gold", "bon_key", "bon_sign", "bon_pick", "ev_logo", "ev_menu_over",
    "ev_menu_click", "ev_map_paper", "ev_map_sea", "ev_map_wind", "ev_map_forest", "ev_map_entrance",
    "ev_map_cricket", "ev_map_cave", "ev_map_gold", "ev_map_current", "ev_shop_open", "ev_shop_close",
    "ev_shop_key_take", "ev_shop_key_put", "ev_shop_key_fail", "ev_shop_star_take", "ev_shop_star_put",
    "ev_shop_star_fail", "ev_shop_stars_gold", "ev_shop_stars_blue", "ev_shop_stars_back", "ev_shop_stars",
    "ev_shop_bonus_over", "ev_game_hint", "ev_game_click", "ev_game_swap", "ev_game_collapse", "ev_game_wrong",
    "ev_game_fall", "ev_game_timeout", "ev_game_bal_pop", "ev_game_bal_fill", "complete_level", "complete_stage",
    "complete_game", "complete_timeisup", "complete_gameover"};

const std::vector<std::string> kAmbience = {"ev_map_sea",      "ev_map_wind",  "ev_map_forest", "ev_map_entrance",
                                            "ev_map_cricket",  "ev_map_cave",  "ev_map_gold"};

const std::vector<std::string> kMusic = {"music/track-menu.ogg", "music/track01.ogg", "music/track02.ogg"};

struct Entry {
  std::string line;  // as written, upper-cased
  int id = 0;
  std::string file;
  int instances = 0;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Upper(std::string s) {
  for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string Trim(const std::string& s) {
  std::size_t a = s.find_first_not_of(" \r\n"), b = s.find_last_not_of(" \r\n");
  return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

// The lines of section SFX, comments dropped; keyed by the text left of "=".
std::map<std::string, Entry> ReadCatalogue(const std::string& text, std::vector<std::string>& lines) {
  std::map<std::string, Entry> out;
  std::size_t b = text.find("[SFX:BEGIN]"), e = text.find("[SFX:END]");
  if (b == std::string::npos || e == std::string::npos || e < b) return out;
  std::istringstream body(text.substr(b + 11, e - b - 11));
  std::string line;
  while (std::getline(body, line)) {
    std::size_t c = line.find("//");
    if (c != std::string::npos) line.resize(c);
    if (Trim(line).empty()) continue;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(Upper(line));
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    Entry en;
    en.line = Upper(line);
    std::vector<std::string> items;
    std::stringstream value(line.substr(eq + 1));
    std::string item;
    while (std::getline(value, item, ',')) items.push_back(Trim(item));
    if (items.size() >= 2) {
      en.id = std::atoi(items[0].c_str());
      en.file = items[1];
      en.instances = items.size() >= 3 ? std::atoi(items[2].c_str()) : 1;
    }
    out[line.substr(0, eq)] = en;
  }
  return out;
}

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

std::string CueFilePath(const std::string& file) {
  std::string p = file;
  std::replace(p.begin(), p.end(), '\\', '/');
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
  std::vector<Seam> whole = MeasureSeams(Sine(441.0, 1.0));
  ASSERT_EQ(whole.size(), 1u);
  EXPECT_TRUE(whole[0].Clean());
  std::vector<Seam> broken = MeasureSeams(Sine(440.5, 1.0));
  ASSERT_EQ(broken.size(), 1u);
  EXPECT_FALSE(broken[0].Clean());
  std::vector<Seam> jump = MeasureSeams(Sine(440.25, 1.0));
  EXPECT_GT(jump[0].step, jump[0].stepLimit);
  // Near silence: a tiny jump is no audible click.
  Decoded quiet = Sine(440.5, 1.0);
  for (float& v : quiet.ch[0]) v *= 0.005f;
  EXPECT_TRUE(MeasureSeams(quiet)[0].Clean());
}

class SoundFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    text_ = ReadAll(kGameDir + "/Sounds.ini");
    ASSERT_FALSE(text_.empty()) << kGameDir << "/Sounds.ini is missing; build the \"sounds\" target first";
    catalogue_ = ReadCatalogue(text_, lines_);
  }
  std::string text_;
  std::vector<std::string> lines_;
  std::map<std::string, Entry> catalogue_;
};

TEST_F(SoundFiles, CatalogueListsEveryCueOnceWithIdsOneToSixty) {
  // Lines end with CR LF throughout.
  std::size_t lf = std::count(text_.begin(), text_.end(), '\n');
  std::size_t crlf = 0;
  for (std::size_t p = text_.find("\r\n"); p != std::string::npos; p = text_.find("\r\n", p + 2)) ++crlf;
  EXPECT_EQ(lf, crlf);

  ASSERT_EQ(catalogue_.size(), kCues.size());
  std::set<int> ids;
  for (const std::string& cue : kCues) {
    auto it = catalogue_.find(cue + " ");
    ASSERT_NE(it, catalogue_.end()) << "no line for " << cue << " (the key is the name and one blank)";
    const Entry& e = it->second;
    EXPECT_GE(e.id, 1) << cue;
    EXPECT_LE(e.id, 60) << cue;
    ids.insert(e.id);
    ASSERT_FALSE(e.file.empty()) << cue;
    EXPECT_EQ(e.file[0], '\\') << cue << ": the file is relative and begins with a backslash";
    EXPECT_GE(e.instances, 1) << cue;
    EXPECT_LE(e.instances, 50) << cue;
    // A lookup matches any line containing the key: only the cue's own line may.
    int hits = 0;
    for (const std::string& l : lines_) hits += l.find(Upper(cue + " ")) != std::string::npos;
    EXPECT_EQ(hits, 1) << cue << " would also match another line";
  }
  EXPECT_EQ(ids.size(), 60u);
}

TEST_F(SoundFiles, EveryCueFileDecodesAndIsLevelled) {
  for (const std::string& cue : kCues) {
    auto it = catalogue_.find(cue + " ");
    ASSERT_NE(it, catalogue_.end()) << cue;
    const std::string path = CueFilePath(it->second.file);
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
  for (const std::string& cue : kAmbience) {
    Decoded d = Decode(CueFilePath(catalogue_[cue + " "].file));
    ASSERT_GT(d.channels, 0) << cue;
    EXPECT_GE(d.Seconds(), 3.0) << cue << " is too short to loop unnoticed";
    ExpectSeamless(cue, d);
  }
}

}  // namespace

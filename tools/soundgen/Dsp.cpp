#include "Dsp.h"

#include <algorithm>

namespace bm::snd {

namespace {

struct Trig {
  double cosw, sinw;
};
Trig At(double hz) {
  double w = kTwoPi * std::clamp(hz, 1.0, 0.49 * kRate) / kRate;
  return {std::cos(w), std::sin(w)};
}

Biquad Make(double b0, double b1, double b2, double a0, double a1, double a2) {
  Biquad f;
  f.b0 = b0 / a0;
  f.b1 = b1 / a0;
  f.b2 = b2 / a0;
  f.a1 = a1 / a0;
  f.a2 = a2 / a0;
  return f;
}

}  // namespace

Biquad Biquad::LowPass(double hz, double q) {
  auto [c, s] = At(hz);
  double alpha = s / (2 * q);
  return Make((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::HighPass(double hz, double q) {
  auto [c, s] = At(hz);
  double alpha = s / (2 * q);
  return Make((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::BandPass(double hz, double q) {
  auto [c, s] = At(hz);
  double alpha = s / (2 * q);
  return Make(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::Peak(double hz, double q, double db) {
  auto [c, s] = At(hz);
  double A = std::pow(10.0, db / 40.0);
  double alpha = s / (2 * q);
  return Make(1 + alpha * A, -2 * c, 1 - alpha * A, 1 + alpha / A, -2 * c, 1 - alpha / A);
}

Biquad Biquad::LowShelf(double hz, double db) {
  auto [c, s] = At(hz);
  double A = std::pow(10.0, db / 40.0);
  double k = 2 * std::sqrt(A) * s / std::sqrt(2.0);
  return Make(A * ((A + 1) - (A - 1) * c + k), 2 * A * ((A - 1) - (A + 1) * c), A * ((A + 1) - (A - 1) * c - k),
              (A + 1) + (A - 1) * c + k, -2 * ((A - 1) + (A + 1) * c), (A + 1) + (A - 1) * c - k);
}

Biquad Biquad::HighShelf(double hz, double db) {
  auto [c, s] = At(hz);
  double A = std::pow(10.0, db / 40.0);
  double k = 2 * std::sqrt(A) * s / std::sqrt(2.0);
  return Make(A * ((A + 1) + (A - 1) * c + k), -2 * A * ((A - 1) + (A + 1) * c), A * ((A + 1) + (A - 1) * c - k),
              (A + 1) - (A - 1) * c + k, 2 * ((A - 1) - (A + 1) * c), (A + 1) - (A - 1) * c - k);
}

Reverb::Reverb(double room, double damp) {
  static const int kCombs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static const int kAllPasses[4] = {556, 441, 341, 225};
  const int spread = 23;
  for (int side = 0; side < 2; ++side) {
    for (int i = 0; i < 8; ++i) combs_[side][i].buf.assign(std::size_t(kCombs[i] + side * spread), 0.0f);
    for (int i = 0; i < 4; ++i) allpasses_[side][i].buf.assign(std::size_t(kAllPasses[i] + side * spread), 0.0f);
  }
  feedback_ = 0.7 + 0.28 * std::clamp(room, 0.0, 1.0);
  damp_ = 0.4 * std::clamp(damp, 0.0, 1.0);
}

void Reverb::Process(double inL, double inR, double& outL, double& outR) {
  double input = (inL + inR) * 0.015;
  double out[2] = {0, 0};
  for (int side = 0; side < 2; ++side) {
    double acc = 0;
    for (Comb& c : combs_[side]) {
      double y = c.buf[c.pos];
      c.store = y * (1 - damp_) + c.store * damp_;
      c.buf[c.pos] = float(input + c.store * feedback_);
      if (++c.pos == c.buf.size()) c.pos = 0;
      acc += y;
    }
    for (AllPass& a : allpasses_[side]) {
      double b = a.buf[a.pos];
      double y = b - acc;
      a.buf[a.pos] = float(acc + b * 0.5);
      if (++a.pos == a.buf.size()) a.pos = 0;
      acc = y;
    }
    out[side] = acc;
  }
  outL = out[0];
  outR = out[1];
}

Sound ReverbOf(const Sound& s, double room, double damp, bool circular) {
  const std::size_t n = s.FrameCount();
  const bool stereo = s.IsStereo();
  Sound out{std::vector<float>(n, 0.0f), std::vector<float>(stereo ? n : 0, 0.0f)};
  if (n == 0) return out;
  Reverb rv(room, damp);
  double l, r;
  if (circular) {
    // A first pass fills the tail, so the second pass is periodic.
    for (std::size_t i = 0; i < n; ++i) rv.Process(s.left[i], stereo ? s.right[i] : s.left[i], l, r);
  }
  for (std::size_t i = 0; i < n; ++i) {
    rv.Process(s.left[i], stereo ? s.right[i] : s.left[i], l, r);
    if (stereo) {
      out.left[i] = float(3.0 * l);
      out.right[i] = float(3.0 * r);
    } else {
      out.left[i] = float(1.5 * (l + r));
    }
  }
  return out;
}

void AddReverb(Sound& s, double wet, double room, double damp, bool circular) {
  if (wet <= 0 || s.FrameCount() == 0) return;
  Sound tail = ReverbOf(s, room, damp, circular);
  for (std::size_t i = 0; i < s.FrameCount(); ++i) {
    s.left[i] += float(wet * tail.left[i]);
    if (s.IsStereo()) s.right[i] += float(wet * tail.right[i]);
  }
}

void Filter(std::vector<float>& ch, Biquad f, bool circular) {
  if (circular)
    for (float v : ch) f.Process(v);
  for (float& v : ch) v = float(f.Process(v));
}

void Filter(Sound& s, const Biquad& f, bool circular) {
  Filter(s.left, f, circular);
  if (s.IsStereo()) Filter(s.right, f, circular);
}

void DcBlock(Sound& s, bool circular) {
  Biquad hp = Biquad::HighPass(25.0, 0.6);
  Filter(s, hp, circular);
}

void FadeEdges(Sound& s, double inSeconds, double outSeconds) {
  std::size_t n = s.FrameCount();
  std::size_t fi = std::min(n, Frames(inSeconds));
  std::size_t fo = std::min(n, Frames(outSeconds));
  auto apply = [&](std::vector<float>& ch) {
    for (std::size_t i = 0; i < fi; ++i) ch[i] *= float(Ramp(double(i), double(fi)));
    for (std::size_t i = 0; i < fo; ++i) ch[n - 1 - i] *= float(Ramp(double(i), double(fo)));
  };
  apply(s.left);
  if (s.IsStereo()) apply(s.right);
}

void TrimSilence(Sound& s, double keepSeconds) {
  std::size_t n = s.FrameCount();
  double peak = 0;
  for (std::size_t i = 0; i < n; ++i) {
    peak = std::max(peak, double(std::fabs(s.left[i])));
    if (s.IsStereo()) peak = std::max(peak, double(std::fabs(s.right[i])));
  }
  if (peak <= 0) return;
  const double floor = peak * DbToGain(-72.0);
  std::size_t last = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (std::fabs(s.left[i]) > floor || (s.IsStereo() && std::fabs(s.right[i]) > floor)) last = i;
  }
  std::size_t keep = std::min(n, last + 1 + Frames(keepSeconds));
  s.Resize(keep);
}

Levels Measure(const Sound& s) {
  Levels lv;
  std::size_t n = s.FrameCount();
  if (n == 0) return lv;
  const int chans = s.IsStereo() ? 2 : 1;
  std::vector<double> prefix(n + 1, 0.0);
  double peak = 0;
  for (std::size_t i = 0; i < n; ++i) {
    double e = double(s.left[i]) * s.left[i];
    peak = std::max(peak, double(std::fabs(s.left[i])));
    if (chans == 2) {
      e = 0.5 * (e + double(s.right[i]) * s.right[i]);
      peak = std::max(peak, double(std::fabs(s.right[i])));
    }
    prefix[i + 1] = prefix[i] + e;
  }
  std::size_t w = std::min(n, Frames(0.1));
  double loud = 0;
  for (std::size_t i = 0; i + w <= n; i += 64) loud = std::max(loud, (prefix[i + w] - prefix[i]) / double(w));
  lv.peakDb = GainToDb(peak);
  lv.loudDb = GainToDb(std::sqrt(loud));
  lv.rmsDb = GainToDb(std::sqrt(prefix[n] / double(n)));
  return lv;
}

namespace {
void Scale(Sound& s, double g) {
  for (float& v : s.left) v = float(v * g);
  for (float& v : s.right) v = float(v * g);
}
}  // namespace

void Normalise(Sound& s, double loudDb, double peakDb) {
  Levels lv = Measure(s);
  if (lv.peakDb < -170) return;
  double gain = std::min(DbToGain(peakDb - lv.peakDb), DbToGain(loudDb - lv.loudDb));
  Scale(s, gain);
}

void NormaliseRms(Sound& s, double rmsDb, double peakDb) {
  Levels lv = Measure(s);
  if (lv.peakDb < -170) return;
  double gain = std::min(DbToGain(peakDb - lv.peakDb), DbToGain(rmsDb - lv.rmsDb));
  Scale(s, gain);
}

void CrossfadeLoop(Sound& s, std::size_t fade) {
  std::size_t total = s.FrameCount();
  if (fade == 0 || fade * 2 >= total) return;
  std::size_t length = total - fade;
  auto fold = [&](std::vector<float>& ch) {
    for (std::size_t i = 0; i < fade; ++i) {
      double x = (double(i) + 0.5) / double(fade);
      double in = std::sin(0.5 * kPi * x), out = std::cos(0.5 * kPi * x);
      ch[i] = float(ch[i] * in + ch[length + i] * out);
    }
    ch.resize(length);
  };
  fold(s.left);
  if (s.IsStereo()) fold(s.right);
}

void SoftClip(Sound& s, double drive) {
  auto clip = [drive](float& v) { v = float(std::tanh(v * drive) / drive); };
  for (float& v : s.left) clip(v);
  for (float& v : s.right) clip(v);
}

void SoftLimit(Sound& s, double knee, double ceiling) {
  const double room = ceiling - knee;
  auto bend = [&](float& v) {
    double a = std::fabs(v);
    if (a <= knee) return;
    double b = knee + room * std::tanh((a - knee) / room);
    v = float(v < 0 ? -b : b);
  };
  for (float& v : s.left) bend(v);
  for (float& v : s.right) bend(v);
}

void Mix(Sound& dst, const Sound& src, double t0, double gain, double pan, bool wrap) {
  std::size_t n = dst.FrameCount();
  if (n == 0) return;
  long start = long(std::lround(t0 * kRate));
  double gl = 1, gr = 1;
  if (dst.IsStereo() && !src.IsStereo()) PanGains(pan, gl, gr);
  for (std::size_t i = 0; i < src.FrameCount(); ++i) {
    long p = start + long(i);
    if (wrap) {
      p %= long(n);
      if (p < 0) p += long(n);
    } else if (p < 0) {
      continue;
    } else if (p >= long(n)) {
      break;
    }
    std::size_t q = std::size_t(p);
    if (dst.IsStereo()) {
      double l = src.left[i], r = src.IsStereo() ? src.right[i] : src.left[i];
      dst.left[q] += float(gain * gl * l);
      dst.right[q] += float(gain * gr * r);
    } else {
      double m = src.IsStereo() ? 0.5 * (src.left[i] + src.right[i]) : src.left[i];
      dst.left[q] += float(gain * m);
    }
  }
}

}  // namespace bm::snd

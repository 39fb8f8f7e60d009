// Comparing two saved screen pictures pixel by pixel.
#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace bm::test {

// Pixels where some colour channel differs by more than `tolerance` (0: any
// difference), within columns left..right-1 and rows top..bottom-1; -1 when the
// pictures cannot be read or differ in size.
inline long PixelDifferences(const std::string& a, const std::string& b, int tolerance = 0, int left = 0, int top = 0,
                             int right = 1 << 30, int bottom = 1 << 30) {
  SDL_Surface* sa = IMG_Load(a.c_str());
  SDL_Surface* sb = IMG_Load(b.c_str());
  long n = -1;
  if (sa && sb && sa->w == sb->w && sa->h == sb->h) {
    SDL_Surface* ca = SDL_ConvertSurfaceFormat(sa, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_Surface* cb = SDL_ConvertSurfaceFormat(sb, SDL_PIXELFORMAT_ARGB8888, 0);
    n = 0;
    for (int y = std::max(0, top); y < std::min(ca->h, bottom); ++y)
      for (int x = std::max(0, left); x < std::min(ca->w, right); ++x) {
        Uint32 pa = static_cast<Uint32*>(ca->pixels)[y * ca->pitch / 4 + x];
        Uint32 pb = static_cast<Uint32*>(cb->pixels)[y * cb->pitch / 4 + x];
        for (int shift : {0, 8, 16})
          if (std::abs(int((pa >> shift) & 255) - int((pb >> shift) & 255)) > tolerance) {
            ++n;
            break;
          }
      }
    SDL_FreeSurface(ca);
    SDL_FreeSurface(cb);
  }
  if (sa) SDL_FreeSurface(sa);
  if (sb) SDL_FreeSurface(sb);
  return n;
}

}  // namespace bm::test

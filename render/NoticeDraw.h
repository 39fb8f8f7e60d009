// A notice (diag/Notices.h) drawn over whatever screen is up: a dark band at
// the foot of the screen with the text, wrapped to the screen's width and
// large enough to read at every screen size.
#pragma once
#include <string>
#include <vector>

#include "board/ScreenMetrics.h"

namespace bm {

class Canvas;
class Font;

// The font size of a notice at this screen size.
double NoticeTextSize(const ScreenMetrics& m);
// The text as lines no wider than width pixels at that size: broken between
// words, and a word too long for a line (a path) after a "/" or between any two letters.
std::vector<std::string> WrapNotice(const Font& font, const std::string& text, double size, double xScale,
                                    double width);
// The band that holds that many lines.
IRect NoticeBand(const ScreenMetrics& m, int lines);
void DrawNotice(Canvas& c, Font& font, const std::string& text);

}  // namespace bm

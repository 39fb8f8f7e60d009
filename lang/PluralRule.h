// Which plural form a number takes in a language: the "Plural-Forms" line of a
// catalogue's header, "nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 &&
// (n%100<10 || n%100>=20) ? 1 : 2);" for Polish, "nplurals=2; plural=(n != 1);"
// for English. The expression is the small C subset gettext allows: n, whole
// numbers, brackets, ! * / % + - < <= > >= == != && || and ?:.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace bm {

class PluralRule {
 public:
  // English: two forms, the first for one.
  PluralRule();
  // The rule of a "Plural-Forms" value; nothing when it is not one (a broken
  // expression, nplurals outside 1..kMaxPluralForms, too long or too deep).
  static std::optional<PluralRule> Parse(std::string_view value);

  int Count() const { return count_; }
  // The form for n, 0..Count()-1 (an expression that points past the last form,
  // or divides by zero, gives form 0).
  int FormOf(std::uint64_t n) const;

  static constexpr int kMaxPluralForms = 6;

 private:
  struct Node {
    char op = 'n';  // 'n' the number, '#' a constant, '!' not, '?' choice, else the binary operator
    int a = -1, b = -1, c = -1;
    std::uint64_t value = 0;
  };
  friend class PluralParser;
  std::uint64_t Eval(int node, std::uint64_t n) const;

  std::vector<Node> nodes_;
  int root_ = -1;
  int count_ = 2;
};

}  // namespace bm

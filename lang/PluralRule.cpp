#include "lang/PluralRule.h"

#include <cctype>
#include <string>

namespace bm {

namespace {
constexpr std::size_t kMaxExpressionChars = 400;
constexpr int kMaxDepth = 40;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace((unsigned char)s.front())) s.remove_prefix(1);
  while (!s.empty() && std::isspace((unsigned char)s.back())) s.remove_suffix(1);
  return s;
}
}  // namespace

// Recursive descent over the expression, lowest precedence first; every level
// counts towards the depth limit so that no input can run the stack out.
class PluralParser {
 public:
  PluralParser(std::string_view text, PluralRule& rule) : s_(text), r_(rule) {}

  bool Run() {
    r_.nodes_.clear();
    r_.root_ = Choice(0);
    Space();
    return ok_ && at_ == s_.size();
  }

 private:
  void Space() {
    while (at_ < s_.size() && std::isspace((unsigned char)s_[at_])) ++at_;
  }
  bool Take(std::string_view op) {
    Space();
    if (s_.substr(at_, op.size()) != op) return false;
    // "<" must not take the front of "<=", "!" not that of "!=".
    if (op.size() == 1 && at_ + 1 < s_.size() && s_[at_ + 1] == '=' && (op == "<" || op == ">" || op == "!"))
      return false;
    at_ += op.size();
    return true;
  }
  int Add(char op, int a, int b = -1, int c = -1, std::uint64_t v = 0) {
    if (a < 0 && (op != 'n' && op != '#')) ok_ = false;
    r_.nodes_.push_back({op, a, b, c, v});
    return int(r_.nodes_.size()) - 1;
  }
  int Fail() {
    ok_ = false;
    return -1;
  }
  bool Deep(int depth) {
    if (depth > kMaxDepth) ok_ = false;
    return ok_;
  }

  // Only brackets, "!" and the branches of ?: nest deeper.
  int Choice(int d) {
    if (!Deep(d)) return -1;
    int cond = Or(d);
    if (!Take("?")) return cond;
    int yes = Choice(d + 1);
    if (!Take(":")) ok_ = false;
    int no = Choice(d + 1);
    if (!ok_ || yes < 0 || no < 0) return Fail();
    return Add('?', cond, yes, no);
  }
  // One level of left-associative binary operators.
  template <typename Next>
  int Binary(int d, std::initializer_list<std::pair<std::string_view, char>> ops, Next next) {
    int left = next(d);
    for (bool more = true; more && ok_;) {
      more = false;
      for (const auto& [text, code] : ops) {
        if (!Take(text)) continue;
        int right = next(d);
        if (right < 0) return Fail();
        left = Add(code, left, right);
        more = true;
        break;
      }
    }
    return ok_ ? left : -1;
  }
  int Or(int d) { return Binary(d, {{"||", '|'}}, [this](int e) { return And(e); }); }
  int And(int d) { return Binary(d, {{"&&", '&'}}, [this](int e) { return Equal(e); }); }
  int Equal(int d) { return Binary(d, {{"==", '='}, {"!=", 'x'}}, [this](int e) { return Compare(e); }); }
  int Compare(int d) {
    return Binary(d, {{"<=", 'l'}, {">=", 'g'}, {"<", '<'}, {">", '>'}}, [this](int e) { return Sum(e); });
  }
  int Sum(int d) { return Binary(d, {{"+", '+'}, {"-", '-'}}, [this](int e) { return Product(e); }); }
  int Product(int d) {
    return Binary(d, {{"*", '*'}, {"/", '/'}, {"%", '%'}}, [this](int e) { return Unary(e); });
  }
  int Unary(int d) {
    if (!Deep(d)) return -1;
    if (Take("!")) {
      int a = Unary(d + 1);
      return ok_ ? Add('!', a) : -1;
    }
    return Primary(d);
  }
  int Primary(int d) {
    Space();
    if (at_ < s_.size() && s_[at_] == 'n') {
      ++at_;
      return Add('n', -1);
    }
    if (at_ < s_.size() && std::isdigit((unsigned char)s_[at_])) {
      std::uint64_t v = 0;
      for (; at_ < s_.size() && std::isdigit((unsigned char)s_[at_]); ++at_) {
        v = v * 10 + std::uint64_t(s_[at_] - '0');
        if (v > 1000000000) return Fail();
      }
      return Add('#', -1, -1, -1, v);
    }
    if (Take("(")) {
      int inner = Choice(d + 1);
      if (!Take(")")) ok_ = false;
      return ok_ ? inner : -1;
    }
    return Fail();
  }

  std::string_view s_;
  std::size_t at_ = 0;
  PluralRule& r_;
  bool ok_ = true;
};

PluralRule::PluralRule() {
  // n != 1
  nodes_ = {{'n'}, {'#', -1, -1, -1, 1}, {'x', 0, 1}};
  root_ = 2;
}

std::optional<PluralRule> PluralRule::Parse(std::string_view value) {
  int count = -1;
  std::string_view expression;
  bool haveExpression = false;
  while (!value.empty()) {
    std::size_t semi = value.find(';');
    std::string_view part = Trim(value.substr(0, semi));
    value = semi == std::string_view::npos ? std::string_view() : value.substr(semi + 1);
    std::size_t eq = part.find('=');
    if (part.empty() || eq == std::string_view::npos) continue;
    std::string_view key = Trim(part.substr(0, eq)), v = Trim(part.substr(eq + 1));
    if (key == "nplurals") {
      if (v.size() != 1 || v[0] < '1' || v[0] > char('0' + kMaxPluralForms)) return std::nullopt;
      count = v[0] - '0';
    } else if (key == "plural") {
      expression = v;
      haveExpression = true;
    }
  }
  if (count < 1 || !haveExpression || expression.size() > kMaxExpressionChars) return std::nullopt;
  PluralRule rule;
  rule.count_ = count;
  if (!PluralParser(expression, rule).Run() || rule.root_ < 0) return std::nullopt;
  return rule;
}

std::uint64_t PluralRule::Eval(int i, std::uint64_t n) const {
  const Node& k = nodes_[std::size_t(i)];
  switch (k.op) {
    case 'n': return n;
    case '#': return k.value;
    case '!': return !Eval(k.a, n);
    case '?': return Eval(k.a, n) ? Eval(k.b, n) : Eval(k.c, n);
    case '|': return Eval(k.a, n) || Eval(k.b, n);
    case '&': return Eval(k.a, n) && Eval(k.b, n);
    default: break;
  }
  std::uint64_t a = Eval(k.a, n), b = Eval(k.b, n);
  switch (k.op) {
    case '=': return a == b;
    case 'x': return a != b;
    case '<': return a < b;
    case '>': return a > b;
    case 'l': return a <= b;
    case 'g': return a >= b;
    case '+': return a + b;
    case '-': return a - b;
    case '*': return a * b;
    case '/': return b ? a / b : 0;
    case '%': return b ? a % b : 0;
    default: return 0;
  }
}

}  // namespace bm

namespace bm {

int PluralRule::FormOf(std::uint64_t n) const {
  std::uint64_t form = Eval(root_, n);
  return form < std::uint64_t(count_) ? int(form) : 0;
}

}  // namespace bm

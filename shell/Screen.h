// A screen of the game: an object that keeps its own state, advances one pass
// when the loop asks, and says what comes next. Screens stand on a stack (see
// shell/Loop.h): a dialog is a screen pushed over another, and its answer
// reaches the screen below through Resume when it pops.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>
#include <type_traits>

namespace bm {

struct Services;
class Screen;

// What a screen answers the one below when it pops: nothing, or one value of an
// enum of its own (MenuAnswer, ContinueAnswer, NameAnswer ...). The screen below
// compares it with a value (answer == NameAnswer::Given) or reads it back as its
// enum (answer.As<MenuAnswer>(), empty for no answer). Reading it as another
// enum is a programming error: the program stops there, so the tests that pass
// every screen catch it.
class Answer {
 public:
  Answer() = default;
  template <class E>
    requires std::is_enum_v<E>
  Answer(E value) : type_(TypeOf<E>()), value_(static_cast<int>(value)) {}
  bool Empty() const { return type_ == nullptr; }
  template <class E>
  bool Is() const {
    return type_ == TypeOf<E>();
  }
  template <class E>
  std::optional<E> As() const {
    if (Empty()) return std::nullopt;
    if (!Is<E>()) {
      std::fputs("brinemoor: a screen's answer read as the wrong kind of answer\n", stderr);
      std::abort();
    }
    return static_cast<E>(value_);
  }
  template <class E>
    requires std::is_enum_v<E>
  bool operator==(E value) const {
    return Is<E>() && value_ == static_cast<int>(value);
  }
  bool operator==(const Answer&) const = default;

 private:
  // One address per enum type: what the answer is an answer of.
  template <class E>
  static const void* TypeOf() {
    static const char tag = 0;
    return &tag;
  }
  const void* type_ = nullptr;
  int value_ = 0;
};

// What a pass says comes next.
struct Next {
  enum class Kind { Stay, Push, Pop };
  Kind kind = Kind::Stay;
  std::unique_ptr<Screen> screen;  // Push
  Answer answer;                   // Pop: handed to the screen below (Resume)
  double wakeAt = 0;               // Stay: clock time this screen next needs a pass; 0 = next frame

  // Work split into steps (loading): the next pass comes at once, without waiting.
  static constexpr double kAtOnce = -1;
  // Nothing due: the next pass comes with input (the desktop's loop still looks every 100 ms).
  static constexpr double kOnInput = std::numeric_limits<double>::infinity();

  static Next Stay(double wakeAt = 0) { return {Kind::Stay, nullptr, {}, wakeAt}; }
  static Next Push(std::unique_ptr<Screen> s) { return {Kind::Push, std::move(s), {}, 0}; }
  static Next Pop(Answer answer = {}) { return {Kind::Pop, nullptr, answer, 0}; }
};

class Screen {
 public:
  virtual ~Screen() = default;
  virtual const char* Name() const = 0;  // what the stack's Top says (tests)
  // Once, when pushed, before its first pass. Stay: its passes begin at once.
  // Push: a screen runs over it first (its answer comes to Resume). Pop: it has
  // nothing to do after all.
  virtual Next Enter(Services&) { return Next::Stay(); }
  // One pass: input, update, draw when something changed.
  virtual Next Pass(Services&) = 0;
  // A screen pushed over it popped with this answer. Stay goes on with its passes.
  virtual Next Resume(Services&, Answer answer) {
    (void)answer;
    return Next::Stay();
  }
  // Its picture as it stands, for a dialog standing on it.
  virtual void DrawBehind(Services&) {}
  // The program is ending: keep what must be kept. The answer goes to the
  // screen below's Resume, as on a normal pop.
  virtual Answer Closing(Services&) { return {}; }
};

}  // namespace bm

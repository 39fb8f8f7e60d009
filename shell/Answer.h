// What a screen answers the one below it when it pops (shell/Screen.h).
#pragma once
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <type_traits>

namespace bm {

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

}  // namespace bm

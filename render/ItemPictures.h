// The picture of each item code: slot code + 1 of the item picture list.
#pragma once
#include <string>

namespace bm {

// Relative path of the picture for an item code, or "" when it has none.
std::string ItemPicture(int code);

}  // namespace bm

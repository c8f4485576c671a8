#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vistel {

struct Core;

// An image-list entry: the file name, then the index tag " [IX=" + the position of
// the full path in the file list written with its leading blank + "]":
// "a.jpg [IX= 5]".
[[nodiscard]] std::string IndexTagEntry(std::string_view fileName, int16_t fileListIndex);

// The number in the first "[IX=" of an entry (letter case ignored), up to the next
// "]"; nullopt when there is no well-formed tag.
[[nodiscard]] std::optional<int16_t> ParseIndexTag(std::string_view entry);

// The full path of the picture at index of the image list; empty past the last
// entry, for a negative index and for an entry without a well-formed tag.
[[nodiscard]] std::string GetImagePath(Core& core, int16_t index);

}  // namespace vistel

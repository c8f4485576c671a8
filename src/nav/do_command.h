#pragma once

#include <string_view>

#include "nav/command.h"

namespace vistel {

struct Core;

inline constexpr const char* kEmptyListMessage =
    "画像は既にクリアされています。再度、画像フォルダーを指定して下さい。";
inline constexpr const char* kLastPictureMessage = "最後の画像です。";
inline constexpr const char* kFirstPictureMessage = "最初の画像です。";

// Carries out one command code (letter case ignored); any other text does nothing.
void DoCommand(Core& core, std::string_view code);
void DoCommand(Core& core, Command command);

// Stops the slideshow, blanks the picture and deletes the temporary folder.
void CloseSource(Core& core);

}  // namespace vistel

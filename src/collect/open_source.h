#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/paths.h"

namespace vistel {

struct Core;

inline constexpr const char* kCannotUnpackMessage = "解凍できません。";
inline constexpr const char* kNoPicturesMessage = "画像ファイルがありません。";
inline constexpr const char* kNotFoundMessage = "が見つかりません。";
inline constexpr const char* kOpenArchiveTitle = "圧縮ファイルの指定";
inline constexpr int32_t kOpenArchiveFlags = 0x280200;
// List indices are 16-bit: a list holds at most this many entries.
inline constexpr size_t kMaxListEntries = 32767;

// The paths a source text names: a single path as it is, or for a multi-selection
// (folder, then a NUL and a name for each file) the folder joined with each name.
[[nodiscard]] std::vector<std::string> ParseSourceList(std::string_view source,
                                                       char separator = kPathSeparator);

// The message for a tree with more files than the lists hold.
[[nodiscard]] std::string TooManyFilesMessage(size_t found);

// Opens a folder, an archive or a multi-selection of archives into the image list
// and starts the slideshow.
void OpenSource(Core& core, const std::string& source);

// The menu items "open an image folder" and "open a compressed file".
void mnFile11_Click(Core& core);
void mnFile12_Click(Core& core);

}  // namespace vistel

#pragma once

#include <optional>
#include <string_view>

namespace vistel {

// The eight command codes that toolbar buttons, menu items and double-clicks send.
enum class Command { Stat, Last, Fwrd, Back, Stop, Rest, Enlg, Boss };

// The four-letter code of a command ("STAT", ...).
[[nodiscard]] std::string_view CommandCode(Command command);

// The command a code names, ignoring letter case; nullopt for any other text.
[[nodiscard]] std::optional<Command> ParseCommand(std::string_view code);

}  // namespace vistel

#include "nav/command.h"

#include <array>

#include "app/paths.h"

namespace vistel {

namespace {
constexpr std::array kAllCommands = {Command::Stat, Command::Last, Command::Fwrd, Command::Back,
                                     Command::Stop, Command::Rest, Command::Enlg, Command::Boss};
}  // namespace

std::string_view CommandCode(Command command) {
    switch (command) {
        case Command::Stat:
            return "STAT";
        case Command::Last:
            return "LAST";
        case Command::Fwrd:
            return "FWRD";
        case Command::Back:
            return "BACK";
        case Command::Stop:
            return "STOP";
        case Command::Rest:
            return "REST";
        case Command::Enlg:
            return "ENLG";
        case Command::Boss:
            return "BOSS";
    }
    return {};
}

std::optional<Command> ParseCommand(std::string_view code) {
    for (Command command : kAllCommands) {
        if (EqualsIgnoreCase(code, CommandCode(command))) return command;
    }
    return std::nullopt;
}

}  // namespace vistel

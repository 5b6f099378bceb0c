// Every command of torvel-cli, in the order --help lists them.
#pragma once

#include <span>

#include "cli/commands.h"

namespace cli {

std::span<const Command> Commands();

}  // namespace cli

#include "cli/terminal_width.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "text/decimal.h"

namespace cli {

size_t TerminalWidth() {
    constexpr size_t kNarrowest = 20;
    int32_t columns = 0;
    const char* set = std::getenv("COLUMNS");
    if (set != nullptr && text::ReadDecimal(set, columns) == text::DecimalStatus::Ok &&
        columns > 0) {
        return std::max(size_t(columns), kNarrowest);
    }
    winsize size{};
    if (::isatty(STDOUT_FILENO) != 0 && ::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 &&
        size.ws_col > 0) {
        return std::max(size_t(size.ws_col), kNarrowest);
    }
    return 80;
}

size_t HelpWidth() {
    return std::min<size_t>(TerminalWidth(), 80);
}

}  // namespace cli

// The shell's resource numbers. The main frame's menu, accelerators, toolbar, icon and
// document string share one number, as they always have.
#pragma once

namespace shell {

inline constexpr int kMainFrameResource = 128;

}  // namespace shell

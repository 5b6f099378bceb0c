// The shell's resource numbers. The main frame's menu, accelerators, toolbar, icon and
// document string share one number: the frame is made from that one number and finds all of
// them by it.
#pragma once

namespace shell {

inline constexpr int kMainFrameResource = 128;

}  // namespace shell

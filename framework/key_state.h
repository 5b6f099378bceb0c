// The lock keys as the windowing system reports them.
#pragma once

namespace framework {

struct LockKeys {
    bool known = false;  // false where the windowing system does not tell
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

LockKeys ReadLockKeys();

}  // namespace framework

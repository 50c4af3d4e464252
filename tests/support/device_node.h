// Device nodes of a test's own, in its own folder, standing in for the
// machine's /dev/zero, /dev/null and the like: tests never open the machine's
// own devices. Making one needs root, as the tests run.
#pragma once

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <string>

struct DeviceKind {
    const char* name;
    unsigned minor;  // of the memory devices, major number 1
};
inline constexpr DeviceKind kNullDevice{"null", 3}, kZeroDevice{"zero", 5}, kFullDevice{"full", 7},
    kRandomDevice{"urandom", 9};

// Makes the character device `path` of `kind`; false when this user may not.
inline bool makeDevice(const std::string& path, DeviceKind kind) {
    return ::mknod(path.c_str(), S_IFCHR | 0600, makedev(1, kind.minor)) == 0;
}

// Text for standard output that must arrive: a program that prints a report
// or its usage into a full disk or a closed pipe has failed, and says so.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace dz {

class CheckedOutput {
public:
    explicit CheckedOutput(std::FILE* stream = stdout) : stream_(stream) {}

    // Writes `text`; a failure is kept with the system's reason for finish().
    void write(std::string_view text);

    // Flushes the stream. Gives nothing when everything written arrived,
    // otherwise the German message "Die Ausgabe ließ sich nicht schreiben
    // (reason)." with the system's reason for the first failure.
    std::optional<std::string> finish();

private:
    void keepError();

    std::FILE* stream_;
    int error_ = 0;  // errno of the first failure, 0 while there was none
};

}  // namespace dz

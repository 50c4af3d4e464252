// Files whose reading may never end: a named pipe (FIFO), whose open waits
// for a writer that never comes, and devices such as /dev/zero that never
// run dry. A test runs such a read in a child process with a time limit, so
// that a reader that waits or reads for ever fails the test instead of
// hanging it, and the child's memory goes with it.
#pragma once

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

// A named pipe that nobody writes to, removed with the object.
class NamedPipe {
public:
    explicit NamedPipe(std::filesystem::path path) : path_(std::move(path)) {
        EXPECT_EQ(mkfifo(path_.c_str(), 0600), 0) << path_;
    }
    ~NamedPipe() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    NamedPipe(const NamedPipe&) = delete;
    NamedPipe& operator=(const NamedPipe&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Runs `read` (which gives a text to check) in a child process. Gives that
// text when the child finished within `seconds`, nothing when it was still
// at work then (it is ended) or ended otherwise.
template <typename Read>
std::optional<std::string> readInChild(Read read, unsigned seconds = 5) {
    int channel[2];
    if (pipe(channel) != 0) {
        ADD_FAILURE() << "no pipe";
        return std::nullopt;
    }
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        alarm(seconds);  // its default action ends the child
        const std::string text = read();
        const bool written = write(channel[1], text.data(), text.size()) == ssize_t(text.size());
        _exit(written ? 0 : 1);
    }
    close(channel[1]);
    if (child < 0) {
        close(channel[0]);
        ADD_FAILURE() << "no child process";
        return std::nullopt;
    }
    int status = 0;
    waitpid(child, &status, 0);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) text.append(buffer, std::size_t(n));
    close(channel[0]);
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM) {
        ADD_FAILURE() << "the read did not end within " << seconds << " s";
        return std::nullopt;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        ADD_FAILURE() << "the read ended the child process (status " << status << ")";
        return std::nullopt;
    }
    return text;
}

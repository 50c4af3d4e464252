// Lowers the file size limit of the process for as long as it lives, so that
// writing a file fails halfway, for root as well. SIGXFSZ is ignored
// meanwhile: the write then fails with EFBIG instead of ending the process.
#pragma once

#include <signal.h>
#include <sys/resource.h>

#include <gtest/gtest.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        EXPECT_EQ(sigaction(SIGXFSZ, &ignore, &previousAction_), 0);
        EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &previousLimit_), 0);
        rlimit small = previousLimit_;
        small.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previousLimit_);
        sigaction(SIGXFSZ, &previousAction_, nullptr);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    struct sigaction previousAction_ = {};
    rlimit previousLimit_ = {};
};


#include "core/text/text_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/device_node.h"
#include "support/endless_reads.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using dz::DataFileError;
using dz::DataFileProblems;
using dz::LineCursor;
using dz::parseInt32;
using dz::splitLines;
using Lines = std::vector<std::string>;

TEST(SplitLines, AcceptsCrLfLoneLfAndLoneCr) {
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
}

TEST(SplitLines, FinalLineEndStartsNoEmptyLine) {
    EXPECT_EQ(splitLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(splitLines("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_TRUE(splitLines("").empty());
}

TEST(SplitLines, KeepsEmptyLinesAndBlanks) {
    EXPECT_EQ(splitLines("\r\n\r\n x \r\n"), (Lines{"", "", " x "}));
    // CR CR LF is a lone CR followed by a CR LF: two line ends.
    EXPECT_EQ(splitLines("a\r\r\nb"), (Lines{"a", "", "b"}));
    // LF CR is two line ends as well.
    EXPECT_EQ(splitLines("a\n\rb"), (Lines{"a", "", "b"}));
}

TEST(SplitLines, KeepsHighBytesUntouched) {
    EXPECT_EQ(splitLines("W\xFCste\r\n\x80"), (Lines{"W\xFCste", "\x80"}));
}

TEST(SplitLines, DropsAByteOrderMarkAtTheVeryStartOnly) {
    EXPECT_EQ(splitLines("\xEF\xBB\xBF" "064\r\n3\r\n"), (Lines{"064", "3"}));
    EXPECT_EQ(splitLines("\xEF\xBB\xBF"), Lines{});
    EXPECT_EQ(splitLines("\xEF\xBB\xBF\r\n"), Lines{""});
    // Elsewhere it is content, as is a mark that is not complete.
    EXPECT_EQ(splitLines("a\r\n\xEF\xBB\xBF" "b"), (Lines{"a", "\xEF\xBB\xBF" "b"}));
    EXPECT_EQ(splitLines(" \xEF\xBB\xBF" "a"), Lines{" \xEF\xBB\xBF" "a"});
    EXPECT_EQ(splitLines("\xEF\xBB" "064"), Lines{"\xEF\xBB" "064"});
    EXPECT_EQ(splitLines("\xEF\xBB\xBF\xEF\xBB\xBF" "a"), Lines{"\xEF\xBB\xBF" "a"}) << "one mark only";
}

TEST(ParseInt32, AcceptsSignedDecimalsWithinRange) {
    EXPECT_EQ(parseInt32("0"), 0);
    EXPECT_EQ(parseInt32("-5"), -5);
    EXPECT_EQ(parseInt32("+7"), 7);
    EXPECT_EQ(parseInt32(" 12\t"), 12);
    EXPECT_EQ(parseInt32("007"), 7);
    EXPECT_EQ(parseInt32("2147483647"), 2147483647);
    EXPECT_EQ(parseInt32("-2147483648"), std::numeric_limits<std::int32_t>::min());
}

TEST(ParseInt32, RejectsEverythingElse) {
    for (const char* bad : {"", " ", "-", "+", "abc", "12a", "1 2", "0x10", "$10", "1.5", "--1", "2147483648",
                            "-2147483649", "99999999999999999999"})
        EXPECT_FALSE(parseInt32(bad).has_value()) << '"' << bad << '"';
}

TEST(ReadTextLines, ReadsAFileWithMixedLineEnds) {
    const auto path = std::filesystem::temp_directory_path() / "dz_text_file_test.txt";
    {
        std::ofstream out(path, std::ios::binary);
        out << "eins\r\nzwei\nDrei\r";
    }
    EXPECT_EQ(dz::readTextLines(path), (Lines{"eins", "zwei", "Drei"}));
    std::filesystem::remove(path);
}

TEST(ReadTextLines, MissingFileNamesTheFile) {
    const auto path = std::filesystem::temp_directory_path() / "dz_no_such_file.kpl";
    try {
        dz::readTextLines(path);
        FAIL() << "no error";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.line(), 0u);
        EXPECT_NE(std::string(e.what()).find("dz_no_such_file.kpl"), std::string::npos);
    }
}

namespace {

// The message of the DataFileError that `read` throws, or "read" when it throws nothing.
template <typename Read>
std::string refusal(Read read) {
    try {
        read();
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.line(), 0u) << "a problem of the whole file";
        return e.what();
    }
    return "read";
}

}  // namespace

using TextFileRead = TempFolderTest;

TEST_F(TextFileRead, OnlyRegularFilesAreOpened) {
    const auto reason = [](const fs::path& path) {
        return refusal([&] { dz::readTextLines(path); });
    };
    const auto refused = [](const fs::path& path) {
        return std::optional<std::string>(path.string() + ": keine normale Datei.");
    };
    fs::create_directory(folder / "ordner.kpl");
    EXPECT_EQ(reason(folder / "ordner.kpl"), refused(folder / "ordner.kpl"));
    // A device may never end, a named pipe without a writer keeps the open waiting.
    for (const DeviceKind kind : {kZeroDevice, kRandomDevice, kNullDevice}) {
        const fs::path device = folder / (std::string(kind.name) + ".kpl");
        ASSERT_TRUE(makeDevice(device, kind)) << "making a device node needs root";
        EXPECT_EQ(readInChild([&] { return reason(device); }), refused(device));
    }
    const NamedPipe pipe(folder / "pipe.kpl");
    EXPECT_EQ(readInChild([&] { return reason(pipe.path()); }), refused(pipe.path()));
    // A link counts as what it leads to.
    fs::create_symlink(pipe.path(), folder / "link_to_pipe.kpl");
    EXPECT_EQ(readInChild([&] { return reason(folder / "link_to_pipe.kpl"); }), refused(folder / "link_to_pipe.kpl"));
    put(folder / "echt.kpl", "1\r\n2\r\n");
    fs::create_symlink(folder / "echt.kpl", folder / "link.kpl");
    EXPECT_EQ(dz::readTextLines(folder / "link.kpl"), (Lines{"1", "2"}));
    EXPECT_EQ(reason(folder / "fehlt.kpl"), (folder / "fehlt.kpl").string() + ": Die Datei kann nicht geöffnet werden.");
}

// The name passes from a file to a named pipe and back, over and over, while
// it is read: whatever the name leads to at the open, the read never waits.
// It reads the file or refuses the pipe, and nothing else.
TEST_F(TextFileRead, ANameSwappedForAPipeDuringTheReadIsRefusedWithoutWaiting) {
    put(folder / "echt.kpl", "1\r\n");
    const NamedPipe pipe(folder / "pipe.kpl");
    const fs::path name = folder / "plan.kpl", swap = folder / "neu.kpl";
    fs::create_symlink("echt.kpl", name);
    const std::string refused = name.string() + ": keine normale Datei.";
    const auto result = readInChild(
        [&] {
            std::atomic<bool> stop = false;
            std::thread swapper([&] {
                for (bool toPipe = true; !stop; toPipe = !toPipe) {
                    ::symlink(toPipe ? "pipe.kpl" : "echt.kpl", swap.c_str());
                    ::rename(swap.c_str(), name.c_str());
                }
            });
            int files = 0, pipes = 0;
            std::string other;
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
            while (other.empty() && std::chrono::steady_clock::now() < end) {
                const std::string got = refusal([&] {
                    if (dz::readTextLines(name) == Lines{"1"}) ++files;
                });
                if (got == refused) ++pipes;
                else if (got != "read") other = got;
            }
            stop = true;
            swapper.join();
            return other.empty() && files > 0 && pipes > 0 ? std::string("ok") : "unexpected: " + other;
        },
        10);
    EXPECT_EQ(result, std::optional<std::string>("ok"));
}

TEST_F(TextFileRead, FilesAboveTheSizeLimitAreRefused) {
    ASSERT_EQ(dz::kMaxTextFileBytes, 1024u * 1024u);
    const fs::path file = folder / "gross.kpls";
    const std::string tooLarge = file.string() + ": Die Datei ist zu groß (mehr als 1 MB).";
    // Exactly at the limit is read, one byte more is not.
    std::string bytes(dz::kMaxTextFileBytes - 2, '7');
    bytes += "\r\n";
    put(file, bytes);
    EXPECT_EQ(dz::readTextLines(file).size(), 1u);
    put(file, bytes + "8");
    EXPECT_EQ(refusal([&] { dz::readTextLines(file); }), tooLarge);
    // A huge file is refused by its size, without being read (which would
    // take long: in a child with a time limit).
    fs::resize_file(file, std::uintmax_t(4) << 30);
    EXPECT_EQ(readInChild([&] { return refusal([&] { dz::readTextLines(file); }); }), std::optional<std::string>(tooLarge));
}

// The limit also holds for what is actually read: files under /proc say
// they are empty, whatever they hold.
TEST(ReadFileBytes, TheLimitHoldsWhereTheSizeSaidIsWrong) {
    const fs::path maps = "/proc/self/maps";
    ASSERT_EQ(fs::file_size(maps), 0u) << "this kernel tells the size of /proc files";
    EXPECT_GT(dz::readFileBytes(maps, dz::kMaxTextFileBytes).size(), 16u);
    EXPECT_EQ(refusal([&] { dz::readFileBytes(maps, 16); }), "/proc/self/maps: Die Datei ist zu groß (mehr als 16 Bytes).");
    EXPECT_EQ(refusal([&] { dz::readFirstLineBytes(maps, 16); }), "/proc/self/maps: Die Datei ist zu groß (mehr als 16 Bytes).")
        << "its first line is longer";
}

TEST_F(TextFileRead, FirstLineEndsAtAnyLineEndWithinTheLimit) {
    const fs::path file = folder / "saves.kpl";
    for (const char* bytes : {"3500\r\nzwei\r\n", "3500\nzwei", "3500\rzwei", "3500"}) {
        put(file, bytes);
        EXPECT_EQ(dz::readFirstLineBytes(file, 4096), "3500") << bytes;
    }
    put(file, "12345678\r\n");
    EXPECT_EQ(refusal([&] { dz::readFirstLineBytes(file, 8); }), file.string() + ": Die Datei ist zu groß (mehr als 8 Bytes).")
        << "the whole file is larger";
    put(file, std::string(4096, '1'));
    EXPECT_EQ(dz::readFirstLineBytes(file, 4096).size(), 4096u);
    put(file, std::string(4097, '1'));
    EXPECT_EQ(refusal([&] { dz::readFirstLineBytes(file, 4096); }), file.string() + ": Die Datei ist zu groß (mehr als 4 KB).");
    fs::create_directory(folder / "ordner");
    EXPECT_EQ(refusal([&] { dz::readFirstLineBytes(folder / "ordner", 4096); }),
              (folder / "ordner").string() + ": keine normale Datei.");
}

TEST_F(TextFileRead, AByteOrderMarkIsNotPartOfLineOne) {
    put(folder / "mit.kpl", "\xEF\xBB\xBF" "064\r\n0\r\n");
    EXPECT_EQ(dz::readTextLines(folder / "mit.kpl"), (Lines{"064", "0"}));
}

TEST(LineCursor, ReportsOneBasedLineNumbers) {
    const Lines lines{"name", "12", "x"};
    const DataFileProblems problems("test.kpl");
    LineCursor cursor(lines, problems);
    EXPECT_EQ(cursor.text(), "name");
    EXPECT_EQ(cursor.integer(), 12);
    try {
        cursor.integer();
        FAIL() << "no error";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.line(), 3u);
        EXPECT_STREQ(e.what(), "test.kpl, Zeile 3: \"x\" ist keine gültige Ganzzahl.");
    }
    EXPECT_EQ(cursor.position(), 2u) << "a failed read does not advance";
}

TEST(LineCursor, ReadingPastTheEndNamesTheMissingLine) {
    const Lines lines{"1"};
    const DataFileProblems problems("f.kpl");
    LineCursor cursor(lines, problems);
    cursor.integer();
    try {
        cursor.text();
        FAIL() << "no error";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.line(), 2u);
        EXPECT_STREQ(e.what(), "f.kpl, Zeile 2: Die Datei endet zu früh (sie hat 1 Zeile).");
    }
    // One line is "1 Zeile", every other count "Zeilen".
    for (const Lines& lines : {Lines{}, Lines{"1", "2"}}) {
        LineCursor ended(lines, problems);
        ended.skip(lines.size());
        try {
            ended.integer();
            FAIL() << "no error";
        } catch (const DataFileError& e) {
            EXPECT_EQ(std::string(e.what()), "f.kpl, Zeile " + std::to_string(lines.size() + 1) +
                                                 ": Die Datei endet zu früh (sie hat " + std::to_string(lines.size()) +
                                                 " Zeilen).");
        }
    }
}

TEST(LineCursor, SkippingPastTheEndNamesTheLineAfterTheLast) {
    const Lines lines{"1", "2", "3"};
    const DataFileProblems problems("f.kpl");
    LineCursor cursor(lines, problems);
    cursor.skip(2);
    EXPECT_EQ(cursor.integer(), 3);
    cursor.skip(0);
    try {
        cursor.skip(1);
        FAIL() << "no error";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.line(), 4u);
    }
    EXPECT_TRUE(cursor.atEnd());
}

TEST(LineCursor, RangeCheckReportsTheLineOfTheValue) {
    const Lines lines{"5", "30"};
    const DataFileProblems problems("f.kpl");
    LineCursor cursor(lines, problems);
    EXPECT_EQ(cursor.integerIn(0, 25, "Breite"), 5);
    try {
        cursor.integerIn(0, 25, "Breite");
        FAIL() << "no error";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.line(), 2u);
        EXPECT_STREQ(e.what(), "f.kpl, Zeile 2: Breite 30 liegt nicht zwischen 0 und 25.");
    }
    EXPECT_EQ(cursor.position(), 1u) << "a value out of range is not passed over";
}

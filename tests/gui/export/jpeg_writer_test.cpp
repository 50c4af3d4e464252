// The JPEG writer: what libjpeg makes of a picture, and a file that is
// replaced only once the whole picture has been written.
#include "gui/export/jpeg_writer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <array>

#include "gui/export/jpeg_file.h"

using namespace dz;
using namespace jpeg_file;

// --- the encoding ----------------------------------------------------------------

TEST(JpegEncoding, QuantisationIsLibjpegsStandardTableAtQuality90) {
    // libjpeg's luminance table (natural order) and the zig-zag order in which
    // a DQT segment lists it.
    constexpr std::array<int, 64> luminance{
        16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,   //
        14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,   //
        18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,   //
        49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
    constexpr std::array<int, 64> zigzag{0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                         12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                         35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                         58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor(120, 80, 200));
    const QString file = folder.filePath("q.jpeg");
    ASSERT_TRUE(writeJpeg(image, file));
    const JpegMarkers markers = readMarkers(fileBytes(file));
    const Segment* dqt = markers.find(0xDB);
    ASSERT_NE(dqt, nullptr);
    ASSERT_GE(dqt->payload.size(), 65);
    EXPECT_EQ(byteAt(dqt->payload, 0), 0x00) << "8-bit table number 0: luminance";
    EXPECT_EQ(byteAt(dqt->payload, 1), 3) << "16 at quality 90: (16 * 20 + 50) / 100";
    for (int k = 0; k < 64; ++k) {
        const int expected = std::clamp((luminance[zigzag[k]] * 20 + 50) / 100, 1, 255);
        EXPECT_EQ(byteAt(dqt->payload, 1 + k), expected) << "entry " << k;
    }
}

TEST(JpegEncoding, RowsOfOddWidthAreNotSkewed) {
    // 3 bytes per pixel: a row of 37 pixels is padded in the QImage.
    QImage image(37, 20, QImage::Format_RGB888);
    image.fill(Qt::white);
    for (int y = 0; y < image.height(); ++y) image.setPixelColor(5, y, Qt::black);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath("schmal.jpeg");
    ASSERT_TRUE(writeJpeg(image, file));
    const QImage read(file);
    ASSERT_EQ(read.size(), image.size());
    for (int y = 0; y < read.height(); ++y) {
        EXPECT_LT(read.pixelColor(5, y).lightness(), 60) << "row " << y;
        EXPECT_GT(read.pixelColor(30, y).lightness(), 200) << "row " << y;
    }
}

TEST(JpegEncoding, PictureTheEncoderRefusesFailsWithAReason) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QString error;
    EXPECT_FALSE(writeJpeg(QImage(), folder.filePath("leer.jpeg"), &error));
    EXPECT_TRUE(error.contains("JPEG")) << error.toStdString();
    // Wider than any JPEG can be (65500 pixels).
    error.clear();
    QImage wide(65501, 1, QImage::Format_RGB888);
    wide.fill(Qt::gray);
    EXPECT_FALSE(writeJpeg(wide, folder.filePath("breit.jpeg"), &error));
    EXPECT_TRUE(error.contains("JPEG")) << error.toStdString();
    EXPECT_TRUE(entriesOf(folder.path()).isEmpty()) << entriesOf(folder.path()).join(", ").toStdString();
}

// --- writing the file safely ---------------------------------------------------

TEST(JpegFile, MissingFolderFailsAndCreatesNothing) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QString error;
    EXPECT_FALSE(writeJpeg(image, folder.filePath("fehlt/bild.jpeg"), &error));
    EXPECT_TRUE(error.contains("existiert nicht")) << error.toStdString();
    EXPECT_TRUE(entriesOf(folder.path()).isEmpty());
}

TEST(JpegFile, ExistingFileIsReplacedWithoutLeftovers) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath("bild.jpeg");
    ASSERT_TRUE(writeBytes(file, "alter Inhalt"));
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QString error;
    ASSERT_TRUE(writeJpeg(image, file, &error)) << error.toStdString();
    EXPECT_EQ(QImage(file).size(), QSize(16, 16));
    EXPECT_EQ(entriesOf(folder.path()), QStringList{"bild.jpeg"}) << "no temporary file remains";
}

TEST(JpegFile, FailedEncodingLeavesTheExistingFileAsItWas) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath("bild.jpeg");
    ASSERT_TRUE(writeBytes(file, "alter Inhalt"));
    EXPECT_FALSE(writeJpeg(QImage(65501, 1, QImage::Format_RGB888), file));
    EXPECT_EQ(fileBytes(file), "alter Inhalt");
    EXPECT_EQ(entriesOf(folder.path()), QStringList{"bild.jpeg"});
}

TEST(JpegFile, WriteProtectedFileIsNotReplaced) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath("bild.jpeg");
    ASSERT_TRUE(writeBytes(file, "alter Inhalt"));
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadUser));
    if (::access(QFile::encodeName(file).constData(), W_OK) == 0)
        GTEST_SKIP() << "permissions do not apply to this user (root)";

    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QString error;
    EXPECT_FALSE(writeJpeg(image, file, &error)) << "renaming over it would work: the file itself says no";
    EXPECT_TRUE(error.contains("schreibgeschützt")) << error.toStdString();
    EXPECT_EQ(fileBytes(file), "alter Inhalt");
    EXPECT_EQ(entriesOf(folder.path()), QStringList{"bild.jpeg"});
}

TEST(JpegFile, WriteProtectedFolderFails) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser |
                                                         QFile::ExeUser));
    struct Restore {
        QString folder;
        ~Restore() { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }
    } restore{folder.path()};
    if (::access(QFile::encodeName(folder.path()).constData(), W_OK) == 0)
        GTEST_SKIP() << "permissions do not apply to this user (root)";

    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QString error;
    EXPECT_FALSE(writeJpeg(image, folder.filePath("neu.jpeg"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(entriesOf(folder.path()).isEmpty());
}

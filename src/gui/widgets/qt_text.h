// The display boundary for texts: catalog and file strings are Windows-1252
// bytes, Qt wants QString. File names are bytes to the system, which need not
// be UTF-8; Qt's QString cannot keep such a name, so a name that must reach
// the system unchanged travels as a std::filesystem::path.
#pragma once

#include <QString>
#include <filesystem>
#include <string>

namespace dz {

QString fromCp1252(const std::string& bytes);
std::string toCp1252(const QString& text);

// A file name given as text (a file dialog, a test) as the system wants it: QFile::encodeName.
std::filesystem::path toNativeFileName(const QString& name);
// A file name as the system has it, for messages: QFile::decodeName (bytes
// that are no UTF-8 show as replacement characters).
QString fromNativeFileName(const std::filesystem::path& name);

}  // namespace dz

// The display boundary for texts: catalog and file strings are Windows-1252
// bytes, Qt wants QString.
#pragma once

#include <QString>
#include <string>

namespace dz {

QString fromCp1252(const std::string& bytes);
std::string toCp1252(const QString& text);

}  // namespace dz

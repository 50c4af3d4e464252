#include "gui/widgets/qt_text.h"

#include <QFile>

#include "core/text/cp1252.h"

namespace dz {

QString fromCp1252(const std::string& bytes) { return QString::fromStdString(cp1252ToUtf8(bytes)); }

std::string toCp1252(const QString& text) { return utf8ToCp1252(text.toStdString()); }

std::filesystem::path toNativeFileName(const QString& name) {
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

QString fromNativeFileName(const std::filesystem::path& name) {
    return QFile::decodeName(QByteArray::fromStdString(name.native()));
}

}  // namespace dz

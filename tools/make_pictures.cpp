// make_pictures <data folder> <images folder> [<icon theme folder>]
//
// Draws the planner's picture set and writes it as GIF files below the images
// folder: planet icons, field and building pictures, state frames and panel
// icons. Planet, field, building and resource file names come from the
// catalog in the data folder; the others are fixed names the program asks
// for. Every picture is written twice: at its own size and, drawn at scale 2,
// under Qt's name for the picture of a device pixel ratio of 2 beside it
// ("0.gif" and "0@2x.gif"). The build runs this after every change of the
// generator or the data.
// With a third folder it also writes the program's icon there in the layout
// of a desktop icon theme: <N>x<N>/apps/dizozodidu.png for every size.
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QStringList>
#include <algorithm>
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/catalog/catalog_files.h"
#include "core/text/cp1252.h"
#include "core/catalog/info.h"
#include "gif_file.h"
#include "paint_kit.h"
#include "pictures.h"

namespace fs = std::filesystem;
using namespace dz::pictures;

namespace {

// A catalog picture name such as "m\2" (Windows-1252, backslashes) as a path
// below the images folder. Names that would leave the folder are refused.
fs::path catalogPath(const std::string& name) {
    std::string utf8 = dz::cp1252ToUtf8(name);
    std::replace(utf8.begin(), utf8.end(), '\\', '/');
    const fs::path path(utf8);
    bool climbsOut = false;
    for (const fs::path& part : path)
        if (part == "..") climbsOut = true;
    if (utf8.empty() || path.is_absolute() || climbsOut)
        throw std::runtime_error("picture name not below the images folder: " + utf8);
    return path;
}

// Writes the pictures drawn at the writer's scale: at scale 1 under their
// names, at a scale N above 1 under "<name>@Nx.gif".
class PictureWriter {
public:
    explicit PictureWriter(fs::path root) : root_(std::move(root)) {}

    int scale() const { return scale_; }
    void setScale(int scale) { scale_ = scale; }

    void write(const fs::path& relative, const std::vector<QImage>& frames, int delayCs = kFrameDelayCs) {
        fs::path file = root_ / relative;
        if (scale_ != 1)
            file.replace_filename(file.stem().string() + "@" + std::to_string(scale_) + "x" +
                                  file.extension().string());
        fs::create_directories(file.parent_path());
        writeGif(file, frames, delayCs);
        ++count_;
    }
    void write(const fs::path& relative, const QImage& image) { write(relative, std::vector<QImage>{image}); }

    int count() const { return count_; }

private:
    fs::path root_;
    int count_ = 0;
    int scale_ = 1;
};

struct NamedPanelIcon {
    const char* file;
    PanelIcon icon;
};

const NamedPanelIcon kPanelIcons[] = {
    {"bev/max.gif", PanelIcon::LivingSpace},
    {"bev/grenze.gif", PanelIcon::PopulationLimit},
    {"bev/work.gif", PanelIcon::Worker},
    {"bev/free.gif", PanelIcon::Unemployed},
    {"bev/umwelt.gif", PanelIcon::Environmentalist},
    {"bev/holo.gif", PanelIcon::HolodeckOperator},
    {"bev/wissenschaftler.gif", PanelIcon::Scientist},
    {"bev/soldat.gif", PanelIcon::Soldier},
    {"w/30.gif", PanelIcon::Storage},
    {"b/beamfrom_o.gif", PanelIcon::Eps},
    {"w/31.gif", PanelIcon::Credits},
};

// State frames: "a" in operation / "i" not, then "b" for a wide-range and
// "s" for a near-range area building in reach.
void writeStateFrames(PictureWriter& out) {
    for (bool inOperation : {true, false})
        for (bool wide : {false, true})
            for (bool near : {false, true}) {
                const std::string name =
                    std::string(inOperation ? "a" : "i") + (wide ? "b" : "") + (near ? "s" : "") + ".gif";
                out.write(name, stateFrame(inOperation, wide, near, out.scale()));
            }
}

void writeAll(const dz::Info& info, PictureWriter& out) {
    const int scale = out.scale();
    for (int p = 0; p < dz::kPlanetCount; ++p) out.write(catalogPath(info.planets[p].image), planetIcon(p, scale));
    for (int t = 0; t < dz::kFieldTypeCount; ++t) {
        const dz::InfoField& field = info.fields[t];
        const fs::path folder = catalogPath(field.imageDir);
        out.write(folder / "0.gif", fieldPicture(t, scale));
        for (int b = 0; b < dz::kBuildingCount; ++b)
            if (field.buildable[b])
                out.write(folder / catalogPath(info.buildings[b].imageDir) / "0.gif", buildingPicture(t, b, scale));
    }
    writeStateFrames(out);
    for (const NamedPanelIcon& icon : kPanelIcons) out.write(icon.file, panelIcon(icon.icon, scale));
    for (int r = 0; r < dz::kResourceCount; ++r)
        out.write(catalogPath(info.resourceTypes[r].image), resourceIcon(r, scale));
    out.write("b/busy.gif", busyAnimation(scale), kBusyFrameDelayCs);
}

void writeAppIcons(const fs::path& themeDir) {
    for (int size : kAppIconSizes) {
        const std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
        const fs::path file = themeDir / sizeName / "apps" / "dizozodidu.png";
        fs::create_directories(file.parent_path());
        if (!appIcon(size).save(QFile::decodeName(file.c_str()), "PNG"))
            throw std::runtime_error("cannot write " + file.string());
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Drawing text needs a GUI application, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 && args.size() != 4) {
        std::cerr << "usage: make_pictures <data folder> <images folder> [<icon theme folder>]\n";
        return 2;
    }
    const fs::path dataDir(QFile::encodeName(args[1]).toStdString());
    const fs::path imagesDir(QFile::encodeName(args[2]).toStdString());

    dz::Info info;
    try {
        dz::loadCatalog(info, dataDir);
    } catch (const std::exception& e) {
        std::cerr << "make_pictures: cannot read the catalog in " << dataDir.string() << ": " << e.what() << '\n';
        return 1;
    }

    const QFontInfo font(pixelFont(11, true));
    if (font.family() != QStringLiteral("DejaVu Sans"))
        std::cerr << "make_pictures: warning: font \"DejaVu Sans\" not found, the labels use \""
                  << font.family().toStdString() << "\" (install fonts-dejavu-core)\n";

    PictureWriter out(imagesDir);
    try {
        checkBuildingLooks();
        for (int scale : {1, 2}) {
            out.setScale(scale);
            writeAll(info, out);
        }
        if (args.size() == 4) writeAppIcons(QFile::encodeName(args[3]).toStdString());
    } catch (const std::exception& e) {
        std::cerr << "make_pictures: " << e.what() << '\n';
        return 1;
    }
    std::cout << "make_pictures: " << out.count() << " pictures in " << imagesDir.string() << '\n';
    return 0;
}

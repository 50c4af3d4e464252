#include "gui/plan_cells.h"

#include <QBuffer>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMovie>
#include <QPainter>

#include "core/catalog/catalog_files.h"
#include "core/layout/field_cells.h"
#include "core/planner/planner.h"
#include "gui/cell_cursor.h"
#include "gui/edit_history.h"
#include "gui/widgets/qt_text.h"

namespace dz {

namespace {

// The records that name pictures, as a message names them. Field types are
// built in, not read from a data file.
QString planetRecord(const Info& info, int p) {
    return QStringLiteral("%1: Planet %2 (%3)")
        .arg(QLatin1String(kPlanetFileName))
        .arg(p)
        .arg(fromCp1252(info.planets[std::size_t(p)].name));
}
QString fieldTypeRecord(const Info& info, int t) {
    return QStringLiteral("Feldtyp %1 (%2)").arg(t).arg(fromCp1252(info.fields[std::size_t(t)].name));
}
QString buildingRecord(const Info& info, int b) {
    return QStringLiteral("%1: Gebäude %2 (%3)")
        .arg(QLatin1String(kBuildingFileName))
        .arg(b)
        .arg(fromCp1252(info.buildings[std::size_t(b)].name));
}

}  // namespace

PlanCells::PlanCells(const Info& info, ActPlan& plan, Planner& planner, EditHistory& history, QGroupBox* surfaceBox,
                     QGroupBox* orbitBox, QWidget* window)
    : QObject(window),
      info_(info),
      plan_(plan),
      planner_(planner),
      history_(history),
      surfaceBox_(surfaceBox),
      orbitBox_(orbitBox),
      fieldMenu_(new QMenu(window)) {
    setObjectName(QStringLiteral("planCells"));
    fieldMenu_->setObjectName(QStringLiteral("fieldMenu"));
    fieldMenu_->setFont(window->font());
    cursor_ = new CellCursor(plan_, cells_, locks_, surfaceBox_, orbitBox_, [this](FieldSelection field) {
        plan_.selected = field;
        fillFieldMenu();
        return fieldMenu_;
    }, this);
}

void PlanCells::resize(int width, int surfaceHeight, int orbitHeight) {
    cells_.resize(width, surfaceHeight, orbitHeight);
    cursor_->planResized(width, surfaceHeight, orbitHeight);
}

void PlanCells::loadPictures(const QString& programDir,
                             const std::function<void(int, const QPixmap&)>& planetIconRead) {
    programDir_ = programDir;
    // The lists are read once; they take the pictures for the window's screen.
    const qreal ratio = surfaceBox_->devicePixelRatioF();
    fieldPictures_.clear();
    planetIcons_.clear();
    stateFrames_.clear();
    for (int p = 0; p < kPlanetCount; ++p) {
        if (info_.planets[p].image.empty()) throwNoPictureName(planetRecord(info_, p), PictureName::File);
        addToImageList(imagePath(programDir, info_.planets[p].image), planetIcons_, ratio);
        planetIconRead(p, planetIcons_.at(p));
    }
    for (int t = 0; t < kFieldTypeCount; ++t) {
        if (info_.fields[t].imageDir.empty()) throwNoPictureName(fieldTypeRecord(info_, t), PictureName::Folder);
        addToImageList(imagePath(programDir, info_.fields[t].imageDir + "\\0.gif"), fieldPictures_, ratio);
    }
    for (const char* file : kFrameFiles) addToImageList(imagePath(programDir, file), stateFrames_, ratio);
}

namespace {

// The ring over a marked field.
class FieldMark : public QWidget {
public:
    explicit FieldMark(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setObjectName(QStringLiteral("fieldMark"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(QColor(255, 220, 0), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

}  // namespace

void PlanCells::markFields(const std::vector<FieldPosition>& fields) {
    for (QWidget* mark : marks_) delete mark;
    marks_.clear();
    for (const FieldPosition& field : fields) {
        QLabel* frame = cells_.cell(field.x, field.y, field.onSurface)[0];
        if (!frame || frame->isHidden()) continue;
        auto* mark = new FieldMark(frame->parentWidget());
        mark->setGeometry(frame->geometry());
        mark->show();
        mark->raise();
        marks_.push_back(mark);
    }
}

void PlanCells::hideCell(int x, int y, bool onSurface) { releaseCell(cells_.cell(x, y, onSurface)); }

std::pair<QLabel*, FieldPicture*> PlanCells::prepareCell(int x, int y, bool onSurface) {
    Cell& cell = cells_.cell(x, y, onSurface);
    if (cell[0] && cell[1]) {
        // The cell's controls get their new content in place: for the user
        // that is the same as new controls, and it is far cheaper than
        // making and destroying widgets for every field an action redraws.
        auto* picture = static_cast<FieldPicture*>(cell[1]);
        QMovie* movie = picture->movie();
        picture->clear();
        if (movie) {
            QIODevice* device = movie->device();
            delete movie;
            delete device;
        }
        cell[0]->clear();
        return {cell[0], picture};
    }
    releaseCell(cell);
    QGroupBox* box = onSurface ? surfaceBox_ : orbitBox_;

    auto* frame = new QLabel(box);
    const Rect f = frameRect(x, y);
    frame->setGeometry(f.left, f.top, f.width, f.height);
    frame->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cell[0] = frame;

    auto* picture = new FieldPicture(fieldKey(x, y, onSurface), fieldMenu_, box);
    const Rect p = pictureRect(x, y);
    picture->setGeometry(p.left, p.top, p.width, p.height);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(picture, &FieldPicture::mouseUp, this,
            [this](FieldPicture* released, Qt::MouseButton button, QPoint) { pictureReleased(released, button); });
    cell[1] = picture;

    frame->show();
    picture->show();
    cursor_->keepMarkOnTop(box);
    return {frame, picture};
}

void PlanCells::setFrame(QLabel* frame, const Field& field, bool showsBuilding) {
    // Without the frames (start-up stopped early) the cell has no frame picture.
    const int index = frameIndex(field, showsBuilding);
    if (index < stateFrames_.count()) frame->setPixmap(stateFrames_.at(index));
}

void PlanCells::showField(int x, int y, int fieldType, bool onSurface) {
    const InfoField& type = info_.fields.at(std::size_t(fieldType));
    const Field& field = plan_.fieldAt(x, y, onSurface);
    auto [frame, picture] = prepareCell(x, y, onSurface);
    setFrame(frame, field, false);
    picture->setSource(QString());
    if (fieldType < fieldPictures_.count()) picture->setPixmap(fieldPictures_.at(fieldType));
    picture->setToolTip(fromCp1252(type.name));
    picture->setAccessibleName(fromCp1252(cellName(info_, fieldType, -1, false)));
    picture->setLocked(locks_.contains(FieldPosition{x, y, onSurface}));
}

void PlanCells::showBuilding(int x, int y, int building, bool onSurface) {
    const InfoBuilding& b = info_.buildings.at(std::size_t(building));
    const Field& field = plan_.fieldAt(x, y, onSurface);
    const InfoField& type = info_.fields.at(std::size_t(field.fieldType));
    if (type.imageDir.empty()) throwNoPictureName(fieldTypeRecord(info_, field.fieldType), PictureName::Folder);
    if (b.imageDir.empty()) throwNoPictureName(buildingRecord(info_, building), PictureName::Folder);
    const QString path = imagePath(programDir_, type.imageDir + "\\" + b.imageDir + "\\0.gif");
    // Read before the cell changes: a missing picture leaves the cell as it was.
    const PictureCache::Picture& picture = buildingPictures_.get(path, surfaceBox_->devicePixelRatioF());

    auto [frame, control] = prepareCell(x, y, onSurface);
    setFrame(frame, field, true);
    if (onSurface && picture.animated) {
        // On the surface the GIF runs; in the orbit it is a still picture.
        auto* buffer = new QBuffer(control);
        buffer->setData(picture.bytes);
        auto* movie = new QMovie(buffer, QByteArray(), control);
        control->setMovie(movie);
        control->setMovieRatio(picture.devicePixelRatio);
        movie->start();
    } else {
        control->setPixmap(picture.still);
    }
    control->setSource(path);
    control->setToolTip(fromCp1252(b.name));
    control->setAccessibleName(fromCp1252(cellName(info_, field.fieldType, building, field.inOperation)));
    control->setLocked(locks_.contains(FieldPosition{x, y, onSurface}));
}

void PlanCells::pictureReleased(FieldPicture* picture, Qt::MouseButton button) {
    if (button != Qt::RightButton) return;
    const FieldSelection selected = decodeFieldKey(picture->fieldKey());
    if (!plan_.contains(selected.x, selected.y, selected.onSurface)) return;
    plan_.selected = selected;
    cursor_->moveTo(selected);
    fillFieldMenu();
}

void PlanCells::fillFieldMenu() {
    // The menu is made anew for every right click; the old entries and
    // submenus go.
    qDeleteAll(fieldMenu_->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly));
    fieldMenu_->clear();
    for (const MenuEntry& entry : planner_.buildFieldMenu()) addMenuEntry(fieldMenu_, entry);

    const FieldSelection selected = plan_.selected;
    if (!plan_.contains(selected.x, selected.y, selected.onSurface)) return;
    const FieldPosition field{selected.x, selected.y, selected.onSurface};
    if (!fieldMenu_->isEmpty()) fieldMenu_->addSeparator();
    QAction* lock = fieldMenu_->addAction(locks_.contains(field) ? QStringLiteral("Für Vorschlag entsperren")
                                                                 : QStringLiteral("Für Vorschlag sperren"));
    lock->setObjectName(QStringLiteral("lockAction"));
    connect(lock, &QAction::triggered, this, [this, field] { toggleLock(field); });
}

void PlanCells::toggleLock(FieldPosition field) {
    if (!plan_.contains(field.x, field.y, field.onSurface)) return;
    const bool locked = locks_.toggle(field);
    if (auto* picture = static_cast<FieldPicture*>(cells_.cell(field.x, field.y, field.onSurface)[1]))
        picture->setLocked(locked);
    cursor_->describe();
}

void PlanCells::clearLocks() {
    // The grids may have taken another plan's shape already.
    for (const FieldPosition& field : locks_.positions()) {
        const CellGrid& grid = field.onSurface ? cells_.surface : cells_.orbit;
        const auto x = std::size_t(field.x), y = std::size_t(field.y);
        if (x < grid.size() && y < grid[x].size())
            if (auto* picture = static_cast<FieldPicture*>(grid[x][y][1])) picture->setLocked(false);
    }
    locks_.clear();
}

void PlanCells::addMenuEntry(QMenu* menu, const MenuEntry& entry) {
    // A "&" in a name is a letter, not a shortcut mark.
    const QString caption = fromCp1252(entry.caption).replace(QLatin1Char('&'), QLatin1String("&&"));
    if (entry.submenu) {
        auto* submenu = new QMenu(caption, fieldMenu_);
        submenu->setFont(fieldMenu_->font());
        for (const MenuEntry& child : entry.entries) addMenuEntry(submenu, child);
        menu->addMenu(submenu);
        return;
    }
    QAction* action = menu->addAction(caption);
    action->setData(entry.tag);
    connect(action, &QAction::triggered, this, [this, tag = entry.tag] {
        history_.perform([this, tag] { planner_.chooseMenuEntry(tag); });
        cursor_->describe();
    });
}

}  // namespace dz

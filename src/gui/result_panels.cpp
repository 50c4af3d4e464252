#include "gui/result_panels.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QSignalBlocker>
#include <tuple>

#include "core/catalog/catalog_files.h"
#include "core/planner/planner.h"
#include "gui/edit_history.h"
#include "gui/widgets/image_list.h"
#include "gui/widgets/labels.h"
#include "gui/widgets/panel_grid.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/up_down_button.h"

namespace dz {

ResultPanels::ResultPanels(const Info& info, Planner& planner, EditHistory& history, Boxes boxes, QObject* parent)
    : QObject(parent), info_(info), planner_(planner), history_(history), boxes_(boxes) {
    setObjectName(QStringLiteral("resultPanels"));
    createIconControls();
    createProductionControls();
    createCostControls();
    createPersonnelControls();
    createInformationControls();
}

void ResultPanels::createIconControls() {
    // Until the pictures are loaded the people icons show a small placeholder
    // figure; the storage and EPS boxes stay empty.
    QPixmap placeholder(7, 15);
    placeholder.fill(Qt::black);
    {
        QPainter p(&placeholder);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(160, 160, 160));
        p.drawEllipse(1, 0, 5, 5);
        p.drawRect(1, 6, 5, 9);
    }
    struct Placement {
        QLabel** control;
        const char* name;
        int left, top;
    };
    const Placement people[] = {
        {&livingSpaceIcon_, "livingSpaceIcon", 16, 77}, {&populationLimitIcon_, "populationLimitIcon", 30, 53},
        {&workersIcon_, "workersIcon", 16, 101},        {&unemployedIcon_, "unemployedIcon", 16, 125},
        {&ecoGuardsIcon_, "ecoGuardsIcon", 16, 149},    {&holodeckIcon_, "holodeckIcon", 16, 172},
        {&scientistsIcon_, "scientistsIcon", 16, 196},  {&soldiersIcon_, "soldiersIcon", 16, 220},
    };
    for (const Placement& p : people) {
        auto* icon = new QLabel(boxes_.personnel);
        icon->setObjectName(QString::fromLatin1(p.name));
        icon->setPixmap(placeholder);
        icon->setGeometry(p.left, p.top, placeholder.width(), placeholder.height());
        *p.control = icon;
    }
    storageIcon_ = new QLabel(boxes_.production);
    storageIcon_->setObjectName(QStringLiteral("storageIcon"));
    storageIcon_->setGeometry(10, 24, 17, 17);
    epsIcon_ = new QLabel(boxes_.production);
    epsIcon_->setObjectName(QStringLiteral("epsIcon"));
    epsIcon_->setGeometry(10, 40, 17, 17);
    for (QLabel* box : {storageIcon_, epsIcon_}) box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ResultPanels::createProductionControls() {
    // Storage, EPS, a spacer and one row per resource.
    productionGrid_ = new PanelGrid(GridKind::Tick, boxes_.production);
    productionGrid_->setObjectName(QStringLiteral("productionGrid"));
    productionGrid_->setGeometry(32, 24, 174, 297);
    productionGrid_->setAccessibleName(boxes_.production->title());
}

void ResultPanels::createCostControls() {
    // The total build costs and their three views.
    allCostsButton_ = new QRadioButton(QStringLiteral("Gesamt"), boxes_.costs);
    buildingCostsButton_ = new QRadioButton(QStringLiteral("Gebäude"), boxes_.costs);
    terraformingCostsButton_ = new QRadioButton(QStringLiteral("Terraformings"), boxes_.costs);
    const std::tuple<QRadioButton*, const char*, int, CostView> radios[] = {
        {allCostsButton_, "allCostsButton", 10, CostView::All},
        {buildingCostsButton_, "buildingCostsButton", 88, CostView::Buildings},
        {terraformingCostsButton_, "terraformingCostsButton", 172, CostView::Terraformings}};
    for (auto [radio, name, left, view] : radios) {
        radio->setObjectName(QString::fromLatin1(name));
        radio->move(left, 21);
        radio->adjustSize();
        connect(radio, &QRadioButton::clicked, this, [this, view = view] { planner_.refreshCosts(view); });
    }
    costGrid_ = new PanelGrid(GridKind::Costs, boxes_.costs);
    costGrid_->setObjectName(QStringLiteral("costGrid"));
    costGrid_->setGeometry(32, 47, 225, 290);
    costGrid_->setAccessibleName(boxes_.costs->title());
}

void ResultPanels::createPersonnelControls() {
    // The population limit above the grid, hire and fire beside rows 3 to 6.
    QGroupBox* box = boxes_.personnel;
    populationLimitBox_ = new QCheckBox(box);
    populationLimitBox_->setObjectName(QStringLiteral("populationLimitBox"));
    populationLimitBox_->move(12, 52);
    populationLimitBox_->adjustSize();
    // The box has no text of its own (its caption is a label beside it):
    // without a name a screen reader would call it after the group box.
    populationLimitBox_->setAccessibleName(QStringLiteral("Bevölkerungsgrenze"));
    connect(populationLimitBox_, &QCheckBox::toggled, this, &ResultPanels::populationLimitToggled);
    makeLabel(box, "internalReputationCaption", QStringLiteral("internes Ansehen:"), 12, 26);
    internalReputationLabel_ = makeLabel(box, "internalReputationLabel", QString(), 130, 26);
    internalReputationLabel_->setFixedWidth(85);
    makeLabel(box, "populationLimitCaption", QStringLiteral("Bevölkerungsgrenze:"), 50, 53);
    populationLimitEdit_ = new QLineEdit(QStringLiteral("0"), box);
    populationLimitEdit_->setObjectName(QStringLiteral("populationLimitEdit"));
    populationLimitEdit_->setGeometry(165, 49, 50, 20);
    populationLimitEdit_->setAccessibleName(QStringLiteral("Bevölkerungsgrenze, Anzahl"));
    // A drop on the window loads a plan; text dropped here would change the limit.
    populationLimitEdit_->setAcceptDrops(false);
    connect(populationLimitEdit_, &QLineEdit::textChanged, this, &ResultPanels::populationLimitEdited);
    personnelGrid_ = new PanelGrid(GridKind::People, box);
    personnelGrid_->setObjectName(QStringLiteral("personnelGrid"));
    personnelGrid_->setGeometry(29, 72, 169, 170);
    personnelGrid_->setAccessibleName(box->title());
    const std::tuple<UpDownButton**, const char*, Personnel, const char*> buttons[] = {
        {&ecoGuardsButton_, "ecoGuardsButton", Personnel::Eco, "Ökos"},
        {&holodeckButton_, "holodeckButton", Personnel::Holodeck, "Holodeckbetreiber"},
        {&scientistsButton_, "scientistsButton", Personnel::Scientist, "Wissenschaftler"},
        {&soldiersButton_, "soldiersButton", Personnel::Soldier, "Soldaten"},
    };
    int row = 3;
    for (auto [button, name, kind, people] : buttons) {
        UpDownButton* created = *button = new UpDownButton(box);
        created->setObjectName(QString::fromLatin1(name));
        created->setGeometry(200, 72 + 24 * row + 1, 17, 22);
        created->setAccessibleName(QStringLiteral("%1 einstellen oder entlassen").arg(QString::fromUtf8(people)));
        created->setAccessibleDescription(
            QStringLiteral("Pfeil nach oben oder Plus: einstellen, Pfeil nach unten oder Minus: entlassen"));
        connect(created, &UpDownButton::released, this,
                [this, kind = kind](ButtonHalf half) { hireOrFire(kind, half); });
        ++row;
    }
}

void ResultPanels::createInformationControls() {
    QGroupBox* box = boxes_.information;
    attractivenessCaption_ = makeLabel(box, "attractivenessCaption", QStringLiteral("Attraktivität:"), 10, 22);
    makeLabel(box, "reputationGrowthCaption", QStringLiteral("Ansehenszuwachs:"), 10, 44);
    makeLabel(box, "bspCaption", QStringLiteral("verfügbare BSP:"), 10, 66);
    attractivenessLabel_ = makeLabel(box, "attractivenessLabel", QString(), 120, 22);
    reputationGrowthLabel_ = makeLabel(box, "reputationGrowthLabel", QString(), 120, 44);
    bspLabel_ = makeLabel(box, "bspLabel", QString(), 120, 66);
    for (QLabel* label : {attractivenessCaption_, attractivenessLabel_, reputationGrowthLabel_, bspLabel_}) {
        label->setFixedWidth(label == attractivenessCaption_ ? 105 : 100);
        setLabelColour(label, Qt::white);
    }
    for (QLabel* label : box->findChildren<QLabel*>()) setLabelColour(label, Qt::white);
}

void ResultPanels::setDecimalSeparator(char separator) {
    for (PanelGrid* grid : {productionGrid_, personnelGrid_, costGrid_}) grid->setDecimalSeparator(separator);
}

QLabel* ResultPanels::makeIcon(QWidget* box, const std::string& catalogPath, int left, int top) {
    const QImage picture = readPicture(imagePath(programDir_, catalogPath), box->devicePixelRatioF());
    auto* icon = new QLabel(box);
    icon->setPixmap(QPixmap::fromImage(picture));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    icon->setGeometry(left, top, 16, 16);
    icon->show();
    return icon;
}

void ResultPanels::loadIcons(const QString& programDir) {
    programDir_ = programDir;
    const std::pair<QLabel*, const char*> people[] = {
        {livingSpaceIcon_, "bev\\max.gif"},   {populationLimitIcon_, "bev\\grenze.gif"},
        {workersIcon_, "bev\\work.gif"},      {unemployedIcon_, "bev\\free.gif"},
        {ecoGuardsIcon_, "bev\\umwelt.gif"},  {holodeckIcon_, "bev\\holo.gif"},
        {scientistsIcon_, "bev\\wissenschaftler.gif"}, {soldiersIcon_, "bev\\soldat.gif"},
    };
    const qreal ratio = boxes_.personnel->devicePixelRatioF();
    for (auto [icon, file] : people) {
        const QImage picture = readPicture(imagePath(programDir_, file), ratio);
        icon->setPixmap(QPixmap::fromImage(picture));
        // The people icons take the size of their picture, in device-independent pixels.
        icon->resize(picture.deviceIndependentSize().toSize());
    }
    storageIcon_->setPixmap(QPixmap::fromImage(readPicture(imagePath(programDir_, "w\\30.gif"), ratio)));
    epsIcon_->setPixmap(QPixmap::fromImage(readPicture(imagePath(programDir_, "b\\beamfrom_o.gif"), ratio)));

    resourceIcons_.rows.assign(kResourceCount + 1, Cell{nullptr, nullptr});
    for (int r = 0; r < kResourceCount; ++r) {
        const std::string& file = info_.resourceTypes[r].image;
        if (file.empty())
            throwNoPictureName(QStringLiteral("%1: Ressource %2 (%3)")
                                   .arg(QLatin1String(kResourceFileName))
                                   .arg(r)
                                   .arg(fromCp1252(info_.resourceTypes[r].name)),
                               PictureName::File);
        resourceIcons_.rows[r][0] = makeIcon(boxes_.production, file, 10, 64 + 16 * r);
        resourceIcons_.rows[r][1] = makeIcon(boxes_.costs, file, 10, 48 + 16 * r);
    }
    resourceIcons_.rows[kResourceCount][1] = makeIcon(boxes_.costs, "w\\31.gif", 10, 304);
}

void ResultPanels::showProduction(const std::vector<GridRow>& rows) {
    productionGrid_->setRows(rows);
    emit figuresShown();
}

void ResultPanels::showPopulation(const PopulationResult& result) {
    personnelGrid_->setRows(result.rows);
    for (UpDownButton* button : {ecoGuardsButton_, holodeckButton_, scientistsButton_, soldiersButton_})
        button->setEnabled(result.buttonsEnabled);
    const Indicators& ind = result.indicators;
    attractivenessLabel_->setText(fromCp1252(ind.attractiveness));
    setLabelColour(attractivenessLabel_, labelColour(ind.attractivenessColour));
    setLabelColour(attractivenessCaption_, labelColour(ind.attractivenessCaptionColour));
    reputationGrowthLabel_->setText(fromCp1252(ind.reputationGrowth));
    setLabelColour(reputationGrowthLabel_, labelColour(ind.reputationGrowthColour));
    emit figuresShown();
}

void ResultPanels::showCosts(const std::vector<GridRow>& rows) {
    costGrid_->setRows(rows);
    emit figuresShown();
}

void ResultPanels::showBsp(int bsp) {
    bspLabel_->setText(QString::number(bsp));
    emit figuresShown();
}

void ResultPanels::checkCostView(CostView view) {
    QRadioButton* radio = view == CostView::All         ? allCostsButton_
                          : view == CostView::Buildings ? buildingCostsButton_
                                                        : terraformingCostsButton_;
    radio->setChecked(true);
}

void ResultPanels::resetPopulationLimit() {
    const QSignalBlocker box(populationLimitBox_);
    const QSignalBlocker edit(populationLimitEdit_);
    populationLimitBox_->setChecked(false);
    populationLimitEdit_->setText(QStringLiteral("0"));
}

void ResultPanels::showPopulationLimit(bool ticked, const std::string& text) {
    const QSignalBlocker box(populationLimitBox_);
    const QSignalBlocker edit(populationLimitEdit_);
    populationLimitBox_->setChecked(ticked);
    populationLimitEdit_->setText(fromCp1252(text));
}

void ResultPanels::showInternalReputation(const QString& text) { internalReputationLabel_->setText(text); }

void ResultPanels::populationLimitToggled() {
    history_.perform([this] {
        const auto replacement =
            planner_.populationLimitClicked(populationLimitBox_->isChecked(), toCp1252(populationLimitEdit_->text()));
        // Setting the text unticks the box through populationLimitEdited, which
        // switches the limit off again.
        if (replacement) populationLimitEdit_->setText(fromCp1252(*replacement));
        planner_.recomputePersonnel();
    });
}

void ResultPanels::populationLimitEdited() {
    history_.perform([this] {
        planner_.populationLimitEdited(toCp1252(populationLimitEdit_->text()));
        populationLimitBox_->setChecked(false);
    });
}

void ResultPanels::hireOrFire(Personnel kind, ButtonHalf half) {
    history_.perform([&] {
        if (half == ButtonHalf::Upper)
            planner_.hire(kind);
        else if (half == ButtonHalf::Lower)
            planner_.fire(kind);
        else
            planner_.recomputePersonnel();  // nobody hired, the personnel shown afresh as after any release
    });
}

}  // namespace dz

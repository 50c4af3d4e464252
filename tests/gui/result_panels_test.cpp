// The three result panels and the indicators in the window, with our data.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "core/catalog/catalog_files.h"
#include "gui/main_window.h"
#include "gui/support/window_fixture.h"
#include "gui/widgets/planet_menu.h"
#include "gui/support/test_support.h"
#include "gui/widgets/panel_grid.h"
#include "gui/widgets/up_down_button.h"
#include "gui/dialogs/settings_dialog.h"

using namespace dz;

namespace {

class ResultPanelsTest : public WindowFixture {
protected:
    void SetUp() override {
        loadCatalog(info, DZ_DATA_DIR);
        makeWindow();
        window->show();
        child<PlanetMenu>(window, "newPlanMenu")->entries()[ptStandard]->trigger();
    }

    // Puts a building on the first surface field of type `fieldType`.
    void placeOn(int fieldType, int building, bool on = true) {
        for (auto& column : plan.current.surface)
            for (Field& f : column)
                if (f.fieldType == fieldType && !f.built) {
                    f.building = building;
                    f.built = true;
                    f.inOperation = on;
                    return;
                }
        FAIL() << "no free field of type " << fieldType;
    }

    // Releases the mouse over the upper or lower part of an up-down button.
    void click(UpDownButton* button, bool upper) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, upper ? 2 : button->height() - 2));
    }

    // Whether the text of a cell is painted in `colour`: its strongest pixel,
    // brought to full strength, is that colour (text edges are blended into
    // the black background).
    bool paintedIn(PanelGrid* grid, int column, int row, QColor colour) {
        const QImage image = grid->grab().toImage();
        const QRect r = grid->cellRect(column, row);
        QColor strongest(Qt::black);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c(image.pixel(x, y));
                if (c.red() + c.green() + c.blue() > strongest.red() + strongest.green() + strongest.blue())
                    strongest = c;
            }
        const double scale = double(strongest.red() + strongest.green() + strongest.blue()) /
                             (colour.red() + colour.green() + colour.blue());
        if (scale < 0.6 || scale > 1.05) return false;  // full strength, and no brighter
        return std::abs(strongest.red() - colour.red() * scale) < 30 &&
               std::abs(strongest.green() - colour.green() * scale) < 30 &&
               std::abs(strongest.blue() - colour.blue() * scale) < 30;
    }

};

}  // namespace

TEST_F(ResultPanelsTest, NewPlanFillsEveryPanel) {
    PanelGrid* tick = child<PanelGrid>(window, "productionGrid");
    ASSERT_EQ(tick->rowCount(), 19);
    EXPECT_EQ(tick->text(0, 0), "Lagerraum");
    EXPECT_EQ(tick->text(1, 1), "0");
    EXPECT_EQ(tick->text(0, 3), "Energie");
    EXPECT_TRUE(tick->text(1, 3 + resResearch).startsWith("0")) << "one decimal";
    EXPECT_EQ(tick->text(1, 3 + resResearch).size(), 3);
    ASSERT_EQ(child<PanelGrid>(window, "costGrid")->rowCount(), 17);
    EXPECT_EQ(child<PanelGrid>(window, "costGrid")->text(0, 16), "Credits");
    EXPECT_EQ(child<PanelGrid>(window, "costGrid")->text(1, 16), "0");
    ASSERT_EQ(child<PanelGrid>(window, "personnelGrid")->rowCount(), 7);
    EXPECT_EQ(child<PanelGrid>(window, "personnelGrid")->text(0, 0), "verfügb. Wohnraum");
    EXPECT_EQ(child<PanelGrid>(window, "personnelGrid")->text(0, 3), "Ökos");
    EXPECT_TRUE(child<QRadioButton>(window, "allCostsButton")->isChecked());
    EXPECT_EQ(child<QLabel>(window, "attractivenessLabel")->text(), "+150+0(+0)");
    EXPECT_EQ(child<QLabel>(window, "reputationGrowthLabel")->text().size(), 3);
    EXPECT_EQ(child<QLabel>(window, "bspLabel")->text(), "0");
    for (UpDownButton* b : {child<UpDownButton>(window, "ecoGuardsButton"), child<UpDownButton>(window, "holodeckButton"), child<UpDownButton>(window, "scientistsButton"), child<UpDownButton>(window, "soldiersButton")})
        EXPECT_TRUE(b->isEnabled());
}

TEST_F(ResultPanelsTest, GridGeometryOnceValuesArePainted) {
    EXPECT_EQ(child<PanelGrid>(window, "productionGrid")->columnWidth(0), 122);
    EXPECT_EQ(child<PanelGrid>(window, "productionGrid")->columnWidth(1), 42);
    EXPECT_EQ(child<PanelGrid>(window, "productionGrid")->rowHeight(1), 16);
    EXPECT_EQ(child<PanelGrid>(window, "productionGrid")->rowHeight(2), 8);
    EXPECT_EQ(child<PanelGrid>(window, "productionGrid")->cellRect(1, 3), QRect(122, 40, 42, 16));
    EXPECT_EQ(child<PanelGrid>(window, "personnelGrid")->columnWidth(0), 120);
    EXPECT_EQ(child<PanelGrid>(window, "personnelGrid")->columnWidth(1), 30);
    EXPECT_EQ(child<PanelGrid>(window, "personnelGrid")->rowHeight(5), 24);
    EXPECT_EQ(child<PanelGrid>(window, "costGrid")->columnWidth(0), 152);
    EXPECT_EQ(child<PanelGrid>(window, "costGrid")->columnWidth(1), 60);
    EXPECT_EQ(child<PanelGrid>(window, "productionGrid")->geometry(), QRect(32, 24, 174, 297));
    EXPECT_EQ(child<PanelGrid>(window, "personnelGrid")->geometry(), QRect(29, 72, 169, 170));
    EXPECT_EQ(child<PanelGrid>(window, "costGrid")->geometry(), QRect(32, 47, 225, 290));
}

TEST_F(ResultPanelsTest, PaintedCellsShowTheSignColours) {
    placeOn(ftMeadow, bldBaseA);
    plan.ressources.buildingCosts[2] = 100;  // as building it would have counted
    child<QRadioButton>(window, "allCostsButton")->click();
    QTest::mouseClick(child<UpDownButton>(window, "soldiersButton"), Qt::LeftButton, {}, QPoint(8, 20));  // recompute, nothing to fire
    const QColor green(0, 128, 0), grey(128, 128, 128), red(255, 0, 0), white(255, 255, 255);
    // Production: Energie +, Mineralien 0.
    EXPECT_TRUE(paintedIn(child<PanelGrid>(window, "productionGrid"), 1, 3, green));
    EXPECT_TRUE(paintedIn(child<PanelGrid>(window, "productionGrid"), 1, 3 + 3, grey));
    EXPECT_FALSE(paintedIn(child<PanelGrid>(window, "productionGrid"), 0, 3, green)) << "labels stay white";
    EXPECT_TRUE(paintedIn(child<PanelGrid>(window, "productionGrid"), 0, 3, white));
    // Costs: white when positive, grey at 0.
    EXPECT_TRUE(paintedIn(child<PanelGrid>(window, "costGrid"), 1, 2, white));
    EXPECT_TRUE(paintedIn(child<PanelGrid>(window, "costGrid"), 1, 0, grey));
    EXPECT_FALSE(paintedIn(child<PanelGrid>(window, "costGrid"), 1, 0, white));
    EXPECT_FALSE(paintedIn(child<PanelGrid>(window, "costGrid"), 1, 2, grey));
    // People: living space green.
    EXPECT_TRUE(paintedIn(child<PanelGrid>(window, "personnelGrid"), 1, 0, green));
    EXPECT_TRUE(child<PanelGrid>(window, "personnelGrid")->look(1, 0).bold);
    EXPECT_FALSE(child<PanelGrid>(window, "personnelGrid")->look(0, 0).bold);

    // Many workers and few homes: row 2 red in both cells, the buttons locked.
    for (int i = 0; i < 6; ++i) placeOn(ftMeadow, 26);  // Forschungszentrum, 40 workers each
    QTest::mouseClick(child<UpDownButton>(window, "soldiersButton"), Qt::LeftButton, {}, QPoint(8, 20));
    ASSERT_EQ(child<PanelGrid>(window, "personnelGrid")->rowCount(), 3);
    EXPECT_EQ(child<PanelGrid>(window, "personnelGrid")->text(0, 2), "Fehlende Arbeiter!");
    EXPECT_TRUE(paintedIn(child<PanelGrid>(window, "personnelGrid"), 0, 2, red));
    EXPECT_TRUE(paintedIn(child<PanelGrid>(window, "personnelGrid"), 1, 2, red));
    EXPECT_FALSE(child<UpDownButton>(window, "soldiersButton")->isEnabled());
}

TEST_F(ResultPanelsTest, UpDownButtonsHireAndFireByPosition) {
    placeOn(ftMeadow, bldBaseA);  // 50 living space, 10 workers
    click(child<UpDownButton>(window, "soldiersButton"), true);  // hires nobody yet: the stored inhabitants are from the empty plan
    EXPECT_EQ(plan.ressources.soldiers, 0);
    EXPECT_EQ(child<PanelGrid>(window, "personnelGrid")->text(1, 2), "40");
    click(child<UpDownButton>(window, "soldiersButton"), true);
    EXPECT_EQ(plan.ressources.soldiers, 1);
    EXPECT_EQ(window->statusText(StatusPanel::Personnel), "1 Soldat eingestellt");
    EXPECT_EQ(child<PanelGrid>(window, "personnelGrid")->text(1, 6), "1");
    EXPECT_EQ(child<QLabel>(window, "attractivenessLabel")->text(), "+170+0(+10)") << "soldiers count 10 each";
    QTest::mouseClick(child<UpDownButton>(window, "soldiersButton"), Qt::LeftButton, {}, QPoint(8, 11));
    EXPECT_EQ(plan.ressources.soldiers, 1) << "the middle row hires and fires nobody";
    click(child<UpDownButton>(window, "soldiersButton"), false);
    EXPECT_EQ(plan.ressources.soldiers, 0);
    EXPECT_EQ(window->statusText(StatusPanel::Personnel), "1 Soldat entlassen");

    click(child<UpDownButton>(window, "scientistsButton"), true);  // no lab: no place for a scientist
    EXPECT_EQ(plan.ressources.scientists, 0);
}

// The row height / 2, rounded down, is the middle and means neither half.
TEST(UpDownButtonHalves, AboveTheMiddleRowIsUpperBelowItLower) {
    EXPECT_EQ(UpDownButton::halfAt(0, 22), ButtonHalf::Upper);
    EXPECT_EQ(UpDownButton::halfAt(10, 22), ButtonHalf::Upper);
    EXPECT_EQ(UpDownButton::halfAt(11, 22), ButtonHalf::Middle);
    EXPECT_EQ(UpDownButton::halfAt(12, 22), ButtonHalf::Lower);
    EXPECT_EQ(UpDownButton::halfAt(9, 21), ButtonHalf::Upper);
    EXPECT_EQ(UpDownButton::halfAt(10, 21), ButtonHalf::Middle);
    EXPECT_EQ(UpDownButton::halfAt(11, 21), ButtonHalf::Lower);
    // Released off the button after pressing it: the half on that side.
    EXPECT_EQ(UpDownButton::halfAt(-3, 22), ButtonHalf::Upper);
    EXPECT_EQ(UpDownButton::halfAt(30, 22), ButtonHalf::Lower);
}

TEST_F(ResultPanelsTest, TickingTheLimitBox) {
    placeOn(ftMeadow, bldBaseA);
    click(child<UpDownButton>(window, "soldiersButton"), false);  // recompute: 50 living space
    ASSERT_EQ(plan.ressources.livingSpace, 50);

    child<QLineEdit>(window, "populationLimitEdit")->setText("100");
    child<QCheckBox>(window, "populationLimitBox")->click();
    EXPECT_TRUE(child<QCheckBox>(window, "populationLimitBox")->isChecked());
    EXPECT_TRUE(plan.ressources.limitEnabled);
    EXPECT_EQ(plan.ressources.populationLimit, 0) << "a limit above the living space is not taken";
    EXPECT_EQ(plan.ressources.inhabitants, 0);

    child<QLineEdit>(window, "populationLimitEdit")->setText("30");  // typing unticks the box and switches the limit off
    EXPECT_FALSE(child<QCheckBox>(window, "populationLimitBox")->isChecked());
    EXPECT_FALSE(plan.ressources.limitEnabled);
    EXPECT_EQ(plan.ressources.inhabitants, 50);
    child<QCheckBox>(window, "populationLimitBox")->click();
    EXPECT_EQ(plan.ressources.inhabitants, 30);

    child<QLineEdit>(window, "populationLimitEdit")->setText("dreißig");
    child<QCheckBox>(window, "populationLimitBox")->click();
    EXPECT_EQ(child<QLineEdit>(window, "populationLimitEdit")->text(), "50") << "no number: the living space is written in";
    EXPECT_FALSE(child<QCheckBox>(window, "populationLimitBox")->isChecked());
    EXPECT_FALSE(plan.ressources.limitEnabled);
    EXPECT_EQ(plan.ressources.inhabitants, 50);

    // A negative limit is taken like no number: nobody lives below nobody.
    PanelGrid* tick = child<PanelGrid>(window, "productionGrid");
    ASSERT_EQ(tick->text(0, 3 + resSupply), "Nahrung");
    const QString food = tick->text(1, 3 + resSupply);  // what 50 inhabitants eat
    child<QLineEdit>(window, "populationLimitEdit")->setText("-3");
    child<QCheckBox>(window, "populationLimitBox")->click();
    EXPECT_EQ(child<QLineEdit>(window, "populationLimitEdit")->text(), "50");
    EXPECT_FALSE(child<QCheckBox>(window, "populationLimitBox")->isChecked());
    EXPECT_FALSE(plan.ressources.limitEnabled);
    EXPECT_EQ(plan.ressources.inhabitants, 50);
    EXPECT_EQ(tick->text(1, 3 + resSupply), food);

    // A new plan clears the limit controls without running their handlers.
    child<QCheckBox>(window, "populationLimitBox")->click();
    BoxAnswer yes(QMessageBox::Yes);  // the limit is an unsaved change
    child<PlanetMenu>(window, "newPlanMenu")->entries()[ptStandard]->trigger();
    EXPECT_TRUE(yes.shown);
    EXPECT_FALSE(child<QCheckBox>(window, "populationLimitBox")->isChecked());
    EXPECT_EQ(child<QLineEdit>(window, "populationLimitEdit")->text(), "0");
    EXPECT_FALSE(plan.ressources.limitEnabled);
}

TEST_F(ResultPanelsTest, CostViewsSwitchAndTheBspLabelKeepsItsValue) {
    placeOn(ftMeadow, bldBaseA);
    plan.ressources.buildingCosts[2] = 100;
    plan.ressources.terraformCosts[2] = 7;
    child<QRadioButton>(window, "allCostsButton")->click();
    EXPECT_EQ(child<PanelGrid>(window, "costGrid")->text(1, 2), "107");
    EXPECT_EQ(child<QLabel>(window, "bspLabel")->text(), "100");
    placeOn(ftMeadow, bldBaseB);
    child<QRadioButton>(window, "terraformingCostsButton")->click();
    EXPECT_TRUE(child<QRadioButton>(window, "terraformingCostsButton")->isChecked());
    EXPECT_EQ(child<PanelGrid>(window, "costGrid")->text(1, 2), "7");
    EXPECT_EQ(child<QLabel>(window, "bspLabel")->text(), "100");
    child<QRadioButton>(window, "buildingCostsButton")->click();
    EXPECT_EQ(child<PanelGrid>(window, "costGrid")->text(1, 2), "100");
    child<PlanetMenu>(window, "newPlanMenu")->entries()[ptStandard]->trigger();
    EXPECT_TRUE(child<QRadioButton>(window, "allCostsButton")->isChecked()) << "every new plan shows \"Gesamt\"";
}

TEST_F(ResultPanelsTest, IndicatorsKeepTheirColoursInTheDisabledInfoBox) {
    EXPECT_FALSE(child<QGroupBox>(window, "informationBox")->isEnabled());
    const QColor green(0, 128, 0);
    EXPECT_EQ(child<QLabel>(window, "attractivenessLabel")->palette().color(QPalette::Disabled, QPalette::WindowText), green);
    EXPECT_EQ(child<QLabel>(window, "attractivenessCaption")->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(Qt::white));
    const QImage painted = child<QLabel>(window, "attractivenessLabel")->grab().toImage();
    bool greenSeen = false;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x) greenSeen |= QColor(painted.pixel(x, y)) == green;
    EXPECT_TRUE(greenSeen);
}

TEST_F(ResultPanelsTest, SavedSettingsReachTheAttractivenessLabel) {
    QTemporaryDir dir;
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());  // saves.kpl lives in the working directory
    QTimer::singleShot(0, [this] {
        ASSERT_TRUE(child<SettingsDialog>(window, "settingsDialog")->isVisible());
        child<QLineEdit>(window, "reputationEdit")->setText("3500");
        child<QPushButton>(window, "saveButton")->click();
    });
    child<QAction>(window, "settingsAction")->trigger();
    QDir::setCurrent(before);
    EXPECT_EQ(state.internalReputation, 3500);
    EXPECT_EQ(child<QLabel>(window, "internalReputationLabel")->text(), "3500");
    EXPECT_EQ(child<QLabel>(window, "attractivenessLabel")->text(), "+150+3(+0)");
    QFile file(dir.filePath("saves.kpl"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("3500\r\n"));
}

TEST_F(ResultPanelsTest, ScreenReadersHearWhatEachControlIsFor) {
    // Not the group box's title: each control says what it does.
    const std::pair<const char*, const char*> controls[] = {
        {"populationLimitBox", "Bevölkerungsgrenze"},
        {"populationLimitEdit", "Bevölkerungsgrenze, Anzahl"},
        {"ecoGuardsButton", "Ökos einstellen oder entlassen"},
        {"holodeckButton", "Holodeckbetreiber einstellen oder entlassen"},
        {"scientistsButton", "Wissenschaftler einstellen oder entlassen"},
        {"soldiersButton", "Soldaten einstellen oder entlassen"},
    };
    for (const auto& [name, heard] : controls) {
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(child<QWidget>(window, name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->text(QAccessible::Name), QString::fromUtf8(heard)) << name;
    }
}

// Drag and drop on the window: a plan file loads as "Laden" would load it,
// anything else is refused and changes nothing.
#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "gui/recent_plans.h"
#include "gui/support/test_support.h"
#include "gui/support/window_fixture.h"
#include "gui/widgets/planet_menu.h"

using namespace dz;

namespace {

const QString kExamples = QStringLiteral(DZ_EXAMPLES_DIR);

class PlanDropTest : public WindowFixture {
protected:
    void SetUp() override {
        makeShippedWindow();
        child<PlanetMenu>(window, "newPlanMenu")->entries()[ptWater]->trigger();
    }

    // Drags `data` onto the window and drops it there, as a file manager
    // would; returns whether the window took the drag.
    bool dragAndDrop(const QMimeData& data) {
        const QPoint at(window->width() / 2, window->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        QTest::qWait(50);  // the load follows once the drop is over
        return enter.isAccepted() && drop.isAccepted();
    }
    static std::unique_ptr<QMimeData> files(const QStringList& names) {
        auto data = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString& name : names) urls << QUrl::fromLocalFile(name);
        data->setUrls(urls);
        return data;
    }
};

}  // namespace

TEST_F(PlanDropTest, ADroppedPlanFileLoadsAfterTheQuestionAboutUnsavedChanges) {
    makeUnsavedChange();
    BoxAnswer yes(QMessageBox::Yes);
    EXPECT_TRUE(dragAndDrop(*files({kExamples + "/wuestenplanet.kpls"})));
    EXPECT_TRUE(yes.shown);
    EXPECT_EQ(yes.title, "Warnung");
    EXPECT_EQ(plan.planetType, 1);
    EXPECT_FALSE(unsaved());
    EXPECT_EQ(window->recentPlans().plans().front(), std::filesystem::path((kExamples + "/wuestenplanet.kpls").toStdString()));
}

TEST_F(PlanDropTest, AnythingElseIsRefusedWithoutAChange) {
    makeUnsavedChange();
    const ActPlan before = plan;
    auto text = std::make_unique<QMimeData>();
    text->setText(QStringLiteral("120"));
    const std::unique_ptr<QMimeData> refused[] = {
        files({kExamples + "/../README.md"}),
        files({kExamples + "/standardplanet.kpls", kExamples + "/wuestenplanet.kpls"}),
        files({kExamples + "/standardplanet.KPLS"}),
        std::move(text),
    };
    BoxAnswer no(QMessageBox::No);
    for (const auto& data : refused) EXPECT_FALSE(dragAndDrop(*data)) << data->formats().join(' ').toStdString();
    EXPECT_FALSE(no.shown);
    EXPECT_EQ(plan, before);
    EXPECT_TRUE(unsaved());
}

// The settings dialog: reading and saving the internal reputation. The look it
// shares with the other dialogs is checked in borderless_dialog_test.cpp.
#include "gui/dialogs/settings_dialog.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <system_error>
#include <utility>
#include <memory>

#include "core/planner/program_state.h"
#include "dialog_test_support.h"
#include "gui/support/test_support.h"

using namespace dz;

namespace {

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        path = QDir(folder.path()).filePath(QStringLiteral("saves.kpl"));
        makeDialog(path);
    }

    void makeDialog(const QString& file) {
        dialog = std::make_unique<SettingsDialog>(
            state,
            [this](const QString& text) {
                shownReputation = text;
                ++shownReputationCalls;
            },
            [this] { ++recomputeCalls; }, file);
        edit = dialog->findChild<QLineEdit*>(QStringLiteral("reputationEdit"));
        button = dialog->findChild<QPushButton*>(QStringLiteral("saveButton"));
        ASSERT_NE(edit, nullptr);
        ASSERT_NE(button, nullptr);
    }

    void put(const QByteArray& bytes) const {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
    }
    QByteArray contents() const {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<none>");
    }

    void type(const QString& text) const {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void save() const { QTest::mouseClick(button, Qt::LeftButton); }

    QTemporaryDir folder;
    QString path;
    ProgramState state;
    QString shownReputation = QStringLiteral("<unchanged>");
    int shownReputationCalls = 0;
    int recomputeCalls = 0;
    std::unique_ptr<SettingsDialog> dialog;
    QLineEdit* edit = nullptr;
    QPushButton* button = nullptr;
};

}  // namespace

// --- controls -----------------------------------------------------------------

TEST_F(SettingsDialogTest, CaptionEditFieldAndButtonInTheirPlaces) {
    const auto* caption = dialog->findChild<QLabel*>(QStringLiteral("reputationCaption"));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text(), "internes Ansehen:");
    EXPECT_EQ(caption->pos(), QPoint(14, 40));
    EXPECT_LE(caption->geometry().right(), 123) << "the caption ends before the edit field";
    EXPECT_EQ(edit->geometry(), QRect(124, 37, 121, 21));
    EXPECT_EQ(edit->text(), "0");
    EXPECT_EQ(button->geometry(), QRect(170, 66, 75, 25));
    EXPECT_EQ(button->text(), "Speichern");
}

// --- reading --------------------------------------------------------------------

TEST_F(SettingsDialogTest, ReadsLineOneVerbatimIntoTheEditAndTheLabel) {
    put("0035\r\n99\r\n");
    dialog->readSettings();
    EXPECT_EQ(edit->text(), "0035");
    EXPECT_EQ(state.internalReputation, 35);
    EXPECT_EQ(shownReputationCalls, 1);
    EXPECT_EQ(shownReputation, "35");

    put("-7\n");
    dialog->readSettings();
    EXPECT_EQ(edit->text(), "-7");
    EXPECT_EQ(state.internalReputation, -7);
    EXPECT_EQ(shownReputation, "-7");
}

TEST_F(SettingsDialogTest, MissingOrUnusableFileGivesZeroAndLeavesTheLabel) {
    state.internalReputation = 17;
    edit->setText(QStringLiteral("17"));
    dialog->readSettings();
    EXPECT_EQ(state.internalReputation, 0);
    EXPECT_EQ(edit->text(), "0");
    EXPECT_EQ(shownReputationCalls, 0);
    EXPECT_FALSE(QFile::exists(path)) << "reading creates no file";

    for (const QByteArray& bytes : {QByteArray(""), QByteArray("\r\n5\r\n"), QByteArray("viel\r\n"),
                                    QByteArray("12x\r\n")}) {
        SCOPED_TRACE(bytes.toStdString());
        put("40\r\n");
        dialog->readSettings();
        ASSERT_EQ(shownReputation, "40");
        const int calls = shownReputationCalls;
        put(bytes);
        dialog->readSettings();
        EXPECT_EQ(state.internalReputation, 0);
        EXPECT_EQ(edit->text(), "0");
        EXPECT_EQ(shownReputationCalls, calls);
        EXPECT_EQ(shownReputation, "40");
    }
}

TEST_F(SettingsDialogTest, EveryShowingReadsTheFileAgain) {
    put("12\r\n");
    dialog->show();
    EXPECT_EQ(edit->text(), "12");
    EXPECT_EQ(state.internalReputation, 12);
    type(QStringLiteral("99"));  // not saved
    dialog->hide();
    put("40\r\n");
    dialog->show();
    EXPECT_EQ(edit->text(), "40");
    EXPECT_EQ(state.internalReputation, 40);
    EXPECT_EQ(shownReputation, "40");
}

// --- saving -----------------------------------------------------------------------

TEST_F(SettingsDialogTest, SavingStoresTheTypedValueAndCloses) {
    dialog->show();
    type(QStringLiteral("3500"));
    save();
    EXPECT_EQ(contents(), "3500\r\n");
    EXPECT_EQ(state.internalReputation, 3500);
    EXPECT_EQ(shownReputation, "3500");
    EXPECT_EQ(shownReputationCalls, 1);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(recomputeCalls, 0) << "no plan yet";
}

TEST_F(SettingsDialogTest, SavingRecomputesThePopulationOnlyWhenAPlanExists) {
    state.planExists = true;
    dialog->show();
    type(QStringLiteral("20"));
    save();
    EXPECT_EQ(recomputeCalls, 1);
    EXPECT_EQ(state.internalReputation, 20);

    state.planExists = false;
    dialog->show();
    type(QStringLiteral("21"));
    save();
    EXPECT_EQ(recomputeCalls, 1);
    EXPECT_EQ(contents(), "21\r\n");
}

TEST_F(SettingsDialogTest, FileHoldsExactlyTheTextAsTyped) {
    put("123456\r\nzwei\r\ndrei\r\n");
    dialog->show();
    type(QStringLiteral("0035"));
    save();
    EXPECT_EQ(contents(), "0035\r\n") << "leading zeros kept, the longer file replaced";
    EXPECT_EQ(shownReputation, "35");
    EXPECT_EQ(state.internalReputation, 35);
    dialog->show();
    EXPECT_EQ(edit->text(), "0035");
}

TEST_F(SettingsDialogTest, TypedTextThatIsNoIntegerGivesZeroAndWritesNothing) {
    put("12\r\n");
    state.planExists = true;
    dialog->show();
    ASSERT_EQ(shownReputation, "12");
    const int calls = shownReputationCalls;
    type(QStringLiteral("12a"));
    save();
    EXPECT_EQ(edit->text(), "0");
    EXPECT_EQ(state.internalReputation, 0);
    EXPECT_EQ(contents(), "12\r\n") << "the file is not written";
    EXPECT_EQ(shownReputationCalls, calls) << "the label keeps its text";
    EXPECT_EQ(shownReputation, "12");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(recomputeCalls, 1);

    for (const QString& typed : {QString(), QStringLiteral("zwölf"), QStringLiteral("1.5"),
                                 QStringLiteral("99999999999")}) {
        SCOPED_TRACE(typed.toStdString());
        dialog->show();
        edit->setText(typed);
        save();
        EXPECT_EQ(edit->text(), "0");
        EXPECT_EQ(state.internalReputation, 0);
        EXPECT_FALSE(dialog->isVisible());
    }
    EXPECT_EQ(contents(), "12\r\n");
    EXPECT_EQ(shownReputationCalls, calls + 4) << "only the showings set the label";
    EXPECT_EQ(shownReputation, "12");
}

// The dialog shows no box of its own; it tells the window why, with the
// system's reason.
TEST_F(SettingsDialogTest, FileThatCannotBeWrittenGivesZeroButTheLabelShowsTheValue) {
    const QString nowhere = QDir(folder.path()).filePath(QStringLiteral("fehlt/saves.kpl"));
    makeDialog(nowhere);
    state.planExists = true;
    QStringList notSaved;
    QObject::connect(dialog.get(), &SettingsDialog::notSaved, [&](const QString& why) { notSaved << why; });
    {
        ReporterGuard noReports([](const QString& message) {
            ADD_FAILURE() << "no message is shown: " << message.toStdString();
        });
        dialog->show();
        type(QStringLiteral("3500"));
        save();
    }
    EXPECT_EQ(shownReputation, "3500");
    EXPECT_EQ(edit->text(), "0");
    EXPECT_EQ(state.internalReputation, 0);
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(recomputeCalls, 1);
    EXPECT_EQ(notSaved, QStringList{QStringLiteral("Das interne Ansehen konnte nicht gespeichert werden.\n\nDie Datei %1 "
                                                   "kann nicht geschrieben werden (%2).")
                                        .arg(nowhere, QString::fromStdString(std::generic_category().message(ENOENT)))});
}

TEST_F(SettingsDialogTest, TheFieldIsSelectedOnEveryOpeningAndReturnSaves) {
    // Opened as the menu opens it; the user types a number and presses Return.
    const std::pair<const char*, const char*> openings[] = {{"0", "3500"}, {"3500", "42"}};
    for (const auto& [shown, typed] : openings) {
        QString selected;
        bool focused = false;
        QTimer::singleShot(0, dialog.get(), [&, typed = typed] {
            selected = edit->selectedText();
            focused = dialog->focusWidget() == edit;
            QTest::keyClicks(edit, QString::fromLatin1(typed));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        QTimer giveUp;  // should Return not close the dialog
        giveUp.setSingleShot(true);
        QObject::connect(&giveUp, &QTimer::timeout, dialog.get(), &QDialog::reject);
        giveUp.start(2000);
        EXPECT_EQ(dialog->exec(), QDialog::Accepted) << "Return pressed \"Speichern\"";
        EXPECT_EQ(selected, shown) << "typing replaces the value shown";
        EXPECT_TRUE(focused);
        EXPECT_EQ(contents(), QByteArray(typed) + "\r\n");
        EXPECT_EQ(shownReputation, typed);
    }
}

TEST_F(SettingsDialogTest, CloseSymbolDropsTheTypedValue) {
    put("12\r\n");
    dialog->show();
    type(QStringLiteral("99"));
    QTest::mouseClick(dialog->closeSymbol(), Qt::LeftButton, {}, QPoint(8, 8));
    ASSERT_FALSE(dialog->isVisible());
    EXPECT_EQ(contents(), "12\r\n");
    EXPECT_EQ(state.internalReputation, 12);
    EXPECT_EQ(shownReputation, "12");

    dialog->show();
    EXPECT_EQ(edit->text(), "12");
}

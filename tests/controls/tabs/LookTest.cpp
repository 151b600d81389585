// Pictures of the tab controls in their main states, for a person to look
// at: written under the build tree's look/ folder when QUENTA_LOOK is set.
#include "platform/gui/controls/WindowSurface.h"
#include "tests/controls/tabs/TabTestSupport.h"

#include <QImage>

#include <cstdlib>

namespace {

class TabLook : public TabTest {};

TEST_F(TabLook, EachStyleAndSideOnAForm) {
    if (!std::getenv("QUENTA_LOOK")) GTEST_SKIP() << "set QUENTA_LOOK to write the pictures";
    Form->SetBounds(0, 0, 640, 480);
    const TQxTabStyle styles[] = {tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant,
                                  tsSquareCorners};
    for (int s = 0; s < 6; ++s) {
        auto* t = NewTabs({"&About...", "Results", "Program Memory"}, Bounds(10 + (s % 2) * 310, 10 + (s / 2) * 155, 300, 145));
        t->SetTabStyle(styles[s]);
        t->SetTabIndex(1);
        t->SetTabOrientation(static_cast<TQxTabOrientation>(s % 4));
    }
    Show();
    const String dir = String(std::getenv("QUENTA_BINARY_DIR")) + "/look";
    std::system(("mkdir -p '" + dir + "'").c_str());
    QImage shot = GrabWindow(Form);
    ASSERT_TRUE(shot.save(QString::fromStdString(dir + "/tab-styles.png"), "PNG"));
}

TEST_F(TabLook, MainWindowPageControl) {
    if (!std::getenv("QUENTA_LOOK")) GTEST_SKIP() << "set QUENTA_LOOK to write the pictures";
    Form->SetBounds(0, 0, 400, 250);
    auto* pc = new TQxPageControl(Form);
    pc->SetParent(Form);
    pc->SetAlign(alClient);
    pc->SetTabHeight(20);
    const char* names[] = {"About...", "Results", "Program Memory"};
    for (const char* n : names) {
        auto* s = new TQxTabSheet(Form);
        s->SetCaption(n);
        s->SetPageControl(pc);
    }
    pc->SetActivePage(pc->Pages(1));
    Show();
    const String dir = String(std::getenv("QUENTA_BINARY_DIR")) + "/look";
    std::system(("mkdir -p '" + dir + "'").c_str());
    ASSERT_TRUE(GrabWindow(Form).save(QString::fromStdString(dir + "/main-pages.png"), "PNG"));
    pc->HideAllTabs();
    pc->SetActivePage(pc->Pages(0));
    Application->ProcessMessages();
    ASSERT_TRUE(GrabWindow(Form).save(QString::fromStdString(dir + "/main-simple.png"), "PNG"));
}

TEST_F(TabLook, MultiLineVerticalTextAndStripButtons) {
    if (!std::getenv("QUENTA_LOOK")) GTEST_SKIP() << "set QUENTA_LOOK to write the pictures";
    Form->SetBounds(0, 0, 640, 330);
    auto* multi = NewTabs({"One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine", "Ten", "Eleven", "Twelve", "Thirteen", "Fourteen", "Fifteen", "Sixteen"}, Bounds(10, 10, 300, 150));
    multi->SetMultiLine(true);
    multi->SetTabIndex(6);
    auto* side = NewTabs({"&Left", "Middle", "Last"}, Bounds(330, 10, 300, 150));
    side->SetTabOrientation(toLeft);
    side->SetTextOrientation(orVertical);
    side->SetTabIndex(1);
    auto* right = NewTabs({"&Right", "Down"}, Bounds(330, 170, 300, 150));
    right->SetTabOrientation(toRight);
    right->SetTextOrientation(orVertical);
    right->SetTabStyle(tsCutCorner);
    right->SetTabIndex(0);
    auto* buttons = NewTabs({"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta", "Eta"}, Bounds(10, 170, 300, 150));
    buttons->SetShowCloseButton(true);
    buttons->SetShowMenuButton(true);
    buttons->SetShowCloseButtonOnActiveTab(true);
    buttons->SetHotTrackStyle(htsTabBar);
    buttons->SetTabIndex(1);
    Show();
    const String dir = String(std::getenv("QUENTA_BINARY_DIR")) + "/look";
    std::system(("mkdir -p '" + dir + "'").c_str());
    ASSERT_TRUE(GrabWindow(Form).save(QString::fromStdString(dir + "/tab-lines.png"), "PNG"));
}

} // namespace

// The about box: filled from the program's version information, the support
// link's subject, the centring on show, and a malformed file version.
#include "host/ops/OwnVersion.h"
#include "host/ui/BLAbout.h"

#include <gtest/gtest.h>

namespace {

class AboutBoxTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (Box) Box->Free();
        SetProgramVersionInfo(nullptr);
    }
    void Make(const TVersionInfoBlock* Block) {
        SetProgramVersionInfo(Block);
        Box = new TAboutBox(nullptr);
    }
    TAboutBox* Box = nullptr;
    TScriptedMessageBoxes Boxes;
};

TEST_F(AboutBoxTest, LabelsComeFromTheVersionBlock) {
    Make(&HostVersionInfo());
    EXPECT_TRUE(Boxes.Shown().empty());
    EXPECT_EQ(Box->ProductNameLbl->Caption(), "Ethernet Quenta PIC32 Bootloader");
    EXPECT_EQ(Box->Version->Caption(), "Version 3.2.1.2");
    EXPECT_EQ(Box->Copyright->Caption(), "Copyright (C) Veltrin Systems Inc. All rights reserved.");
    EXPECT_EQ(Box->Comments->Caption(), "Upgrades the firmware of PIC32 devices over Ethernet.");
    EXPECT_EQ(Box->SupportLinkLabel->Caption(), SupportEmailAddress);
    EXPECT_EQ(Box->SupportLinkLabel->URL, String("mailto:") + SupportEmailAddress +
                                              "?subject=Need help on product: Ethernet Quenta PIC32 Bootloader");
    // The picture stored with the window.
    ASSERT_NE(Box->Image1->Picture()->Graphic(), nullptr);
    EXPECT_EQ(Box->Image1->Picture()->Width(), 400);
    EXPECT_EQ(Box->Image1->Picture()->Height(), 200);
    EXPECT_EQ(Box->Caption(), "About");
    EXPECT_EQ(Box->ClientWidth(), 432);
    EXPECT_EQ(Box->ClientHeight(), 600);
}

TEST_F(AboutBoxTest, ShowingCentresTheFourLabelsOnTheClientWidth) {
    Make(&HostVersionInfo());
    Box->Show();
    for (TLabel* label : {Box->ProductNameLbl, Box->Version, Box->Copyright, Box->Comments}) {
        EXPECT_GT(label->Width(), 20) << label->Name();
        EXPECT_EQ(label->Left(), (432 - label->Width()) / 2) << label->Name();
    }
}

TEST_F(AboutBoxTest, EachBadPartOfTheFileVersionGivesOneErrorBox) {
    TVersionInfoBlock block = HostVersionInfo();
    for (auto& [key, value] : block.Strings)
        if (key == "FileVersion") value = "3.2";
    Make(&block);
    ASSERT_EQ(Boxes.Shown().size(), 2u);
    for (const TMessageBoxRequest& r : Boxes.Shown()) {
        EXPECT_EQ(r.Text, "Error: Invalid version string \"3.2\"");
        EXPECT_EQ(r.DlgType, mtError);
    }
    EXPECT_EQ(Box->Version->Caption(), "Version 3.2"); // the box is filled all the same
    EXPECT_EQ(Box->ProductNameLbl->Caption(), "Ethernet Quenta PIC32 Bootloader");
}

TEST_F(AboutBoxTest, WithoutVersionInformationTheDesignTextsStay) {
    Make(nullptr);
    EXPECT_EQ(Box->ProductNameLbl->Caption(), "Product Name");
    EXPECT_EQ(Box->Version->Caption(), "Version");
    EXPECT_EQ(Box->SupportLinkLabel->URL, "");
}

} // namespace

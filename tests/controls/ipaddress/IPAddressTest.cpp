// The IP address control as the user types into it, its address with and
// without a window, its ranges, its events, and the dotted-text routines.
#include "controls/ipaddress/ComCtrlsAdds.h"
#include "platform/gui/controls/Forms.h"
#include "platform/gui/controls/WindowInput.h"
#include "platform/gui/gdi/Gdi.h"

#include <gtest/gtest.h>

namespace {

TEST(IPText, AddressesTurnIntoDottedTextAndBack) {
    EXPECT_EQ(IPAddrToStr(0xC0A80105), "192.168.1.5");
    EXPECT_EQ(IPAddrToStr(0xFFFFFF80), "255.255.255.128");
    EXPECT_EQ(IPAddrToStr(0), "0.0.0.0");
    EXPECT_EQ(StrToIPAddr("192.168.1.1"), 0xC0A80101u);
    EXPECT_EQ(StrToIPAddr("1.2.3.4.5"), 0x01020304u);
    EXPECT_EQ(StrToIPAddr("1.2.3.4.x"), 0x01020304u); // the rest is ignored
    EXPECT_EQ(StrToIPAddr("010.0.0.255"), 0x0A0000FFu);
    for (const char* bad : {"1.2.3", "1..2.3", "256.1.1.1", "a.b.c.d", "", "1.2.3.-1", "1.2.3."}) {
        try {
            StrToIPAddr(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& E) {
            EXPECT_EQ(E.Message, String(bad) + " is not a valid IP address");
        }
    }
}

class IPAddress : public ::testing::Test {
protected:
    void SetUp() override {
        ResetKeyboardState();
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 200, 100);
        IP = new TIPAddress(Form);
        IP->SetParent(Form);
        IP->SetLeft(10);
        IP->OnChange = [this](TObject*) { ++Changes; };
    }
    void TearDown() override {
        Form->Free();
        Application->ProcessMessages();
    }
    void Show() {
        Form->Show();
        IP->SetFocus();
    }
    // Types the text: digits, "." and "<" for Backspace.
    void Type(const String& Text) {
        for (char c : Text) {
            const Word key = c == '<' ? VK_BACK : c == '.' ? 0 : static_cast<Word>(c);
            KeyInput(kaDown, key, {}, c == '<' ? String("\b") : String(1, c));
            KeyInput(kaUp, key, {});
        }
    }
    std::vector<String> Fields() {
        return {IP->FieldText(0), IP->FieldText(1), IP->FieldText(2), IP->FieldText(3)};
    }

    TForm* Form = nullptr;
    TIPAddress* IP = nullptr;
    Integer Changes = 0;
};

TEST_F(IPAddress, TypingFillsFieldsMovesOnAndBacksUp) {
    Show();
    // A new control shows 0.0.0.0; the focus selects the first field and
    // each field moved on to is selected, so digits replace the zeros.
    Type("192168");
    EXPECT_EQ(Fields(), (std::vector<String>{"192", "168", "0", "0"}));
    EXPECT_EQ(IP->CurrentField(), 2); // moved on after each third digit
    Type("1.5");
    EXPECT_EQ(IP->Address(), "192.168.1.5");
    EXPECT_EQ(IP->WinAddress(), 0xC0A80105u);
    EXPECT_EQ(Changes, 8); // one per digit; moving on changes nothing
    // Backspace empties the field, then crosses into the previous one.
    Type("<<<");
    EXPECT_EQ(Fields(), (std::vector<String>{"192", "168", "", ""}));
    EXPECT_EQ(IP->CurrentField(), 2);
    EXPECT_EQ(IP->WinAddress(), 0xC0A80000u); // blank fields read as 0
    IP->Perform(IPM_SETFOCUS, 0);
    Type("10.");
    Type("7");
    EXPECT_EQ(Fields(), (std::vector<String>{"10", "7", "", ""}));
    // "." from an empty field stays put.
    Type("..");
    EXPECT_EQ(IP->CurrentField(), 2);
}

TEST_F(IPAddress, LeavingAFieldBringsItIntoItsRange) {
    IP->SetFieldHighRange(1, 100);
    IP->SetFieldLowRange(2, 10);
    Show();
    Type("10.150");
    EXPECT_EQ(Fields(), (std::vector<String>{"10", "100", "0", "0"}));
    Type("3.");
    EXPECT_EQ(IP->FieldText(2), "10");
    // The handler sees each field left and may replace its value, which is
    // then kept in range; -1 keeps a field blank.
    std::vector<std::pair<Integer, Integer>> seen;
    IP->OnIPFieldChange = [&](Integer Field, Integer& Value) {
        seen.push_back({Field, Value});
        if (Field == 3) Value = 999;
        if (Field == 0) Value = -1;
    };
    Type("4");
    KeyInput(kaDown, VK_HOME, {});
    KeyInput(kaDown, VK_RIGHT, {});
    KeyInput(kaDown, VK_RIGHT, {});
    KeyInput(kaDown, VK_RIGHT, {});
    EXPECT_EQ(seen, (std::vector<std::pair<Integer, Integer>>{{3, 4}, {0, 10}}));
    EXPECT_EQ(Fields(), (std::vector<String>{"", "100", "10", "255"}));
    IP->OnIPFieldChange = nullptr;
}

TEST_F(IPAddress, OnlyTheFieldChangedNotificationReachesTheHandler) {
    Show();
    Integer calls = 0;
    IP->OnIPFieldChange = [&](Integer, Integer& Value) {
        ++calls;
        Value = 300;
    };
    IP->SetFieldHighRange(0, 200);
    NMIPADDRESS n;
    n.hdr.code = -12; // another notification
    n.iField = 0;
    n.iValue = 7;
    IP->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(n.iValue, 7);
    n.hdr.code = IPN_FIELDCHANGED;
    IP->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(n.iValue, 200);
    IP->OnIPFieldChange = nullptr;
}

TEST_F(IPAddress, TheAddressLivesInTheWindowWhileThereIsOne) {
    IP->SetWinAddress(0x0A000001);
    EXPECT_FALSE(IP->HandleAllocated());
    EXPECT_EQ(IP->WinAddress(), 0x0A000001u);
    EXPECT_EQ(IP->Address(), "10.0.0.1");
    EXPECT_THROW(IP->SetAddress("10.0.0"), EConvertError);
    EXPECT_EQ(IP->WinAddress(), 0x0A000001u);
    // Making the window pushes the address without an OnChange.
    Show();
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(IP->FieldText(3), "1");
    IP->SetAddress("192.0.2.7");
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(IP->FieldText(1), "0");
    Type("<"); // clears the first field, selected by the focus
    EXPECT_EQ(IP->WinAddress(), 0x00000207u);
    EXPECT_EQ(IP->Address(), "0.0.2.7");
}

TEST_F(IPAddress, RangesFollowEachOtherAndHeightFollowsTheFont) {
    IP->SetFieldHighRange(3, 100);
    EXPECT_EQ(IP->FieldLowRange(3), 0);
    IP->SetFieldLowRange(3, 150);
    EXPECT_EQ(IP->FieldHighRange(3), 150);
    IP->SetFieldHighRange(3, 20);
    EXPECT_EQ(IP->FieldLowRange(3), 20);
    EXPECT_EQ(GetOrdProp(IP, "Field3LowRange"), 20);
    SetOrdProp(IP, "Field0HighRange", 9);
    EXPECT_EQ(IP->FieldHighRange(0), 9);

    TBitmap b(1, 1);
    b.Canvas()->Font()->Assign(IP->Font());
    TTextMetric tm;
    GetTextMetrics(b.Canvas()->Handle(), &tm);
    EXPECT_EQ(IP->Height(), tm.tmHeight + 8);
    IP->Font()->SetHeight(-20);
    GetTextMetrics(b.Canvas()->Handle(), &tm);
    b.Canvas()->Font()->Assign(IP->Font());
    GetTextMetrics(b.Canvas()->Handle(), &tm);
    EXPECT_EQ(IP->Height(), tm.tmHeight + 8);
    IP->SetAutoSize(false);
    IP->SetHeight(40);
    IP->Font()->SetHeight(-10);
    EXPECT_EQ(IP->Height(), 40);
}

} // namespace

namespace {

TEST_F(IPAddress, TheBevelLiesInTheNonClientAreaAroundTheFields) {
    IP->SetBounds(10, 10, 120, 25);
    const TRect plain = IP->FieldRect(0);
    IP->SetBevelKind(bkTile);
    IP->SetBevelInner(bvNone); // one raised ring of one pixel on each edge
    IP->SetBevelOuter(bvRaised);
    IP->SetBevelEdges({beLeft, beTop, beBottom});
    Show();
    Application->ProcessMessages();
    IP->Repaint();
    const Integer h = IP->Height();
    EXPECT_EQ(IP->EditArea(), TRect(1, 1, 120, h - 1));
    EXPECT_EQ(IP->FieldRect(0).Left, plain.Left + 1);
    HDC dc = GetDC(IP->Handle());
    EXPECT_EQ(GetPixel(dc, 0, 5), ColorToRGB(cl3DLight));     // the ring, top-left colour
    EXPECT_EQ(GetPixel(dc, 5, h - 1), ColorToRGB(cl3DDkShadow)); // bottom edge
    EXPECT_EQ(GetPixel(dc, 1, 5), ColorToRGB(clBtnShadow));   // the fields' sunken edge inside it
    EXPECT_EQ(GetPixel(dc, 119, 5), ColorToRGB(clBtnHighlight)); // no right edge: the sunken edge itself
    ReleaseDC(IP->Handle(), dc);
}

TEST(IPAddressForm, AFormDescriptionMakesTheControl) {
    RegisterComCtrlsAddsClasses();
    auto* form = new TForm(nullptr);
    form->InitializeForm(R"(object IpAddrDlg: TForm
  object IPAddress1: TIPAddress
    Left = 8
    Top = 16
    Width = 120
    Field0HighRange = 223
    Field3LowRange = 1
    Address = '192.168.1.10'
    TabOrder = 0
  end
  object IPAddress2: TIPAddress
    Top = 48
    Height = 40
    AutoSize = False
  end
end
)",
                         "IpDlg.dfm");
    auto* ip = dynamic_cast<TIPAddress*>(form->FindComponent("IPAddress1"));
    ASSERT_NE(ip, nullptr);
    EXPECT_EQ(ip->WinAddress(), 0xC0A8010Au);
    EXPECT_EQ(ip->FieldHighRange(0), 223);
    EXPECT_EQ(ip->FieldLowRange(3), 1);
    EXPECT_TRUE(ip->TabStop());
    // Its window made, a control stored without AutoSize keeps its height.
    auto* fixed = dynamic_cast<TIPAddress*>(form->FindComponent("IPAddress2"));
    form->Show();
    ASSERT_TRUE(fixed->HandleAllocated());
    EXPECT_EQ(fixed->Height(), 40);
    EXPECT_NE(ip->Height(), 40);
    form->Free();
}

} // namespace

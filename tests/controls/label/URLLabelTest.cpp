// The link label through a recording opener: what it opens, when it shows
// itself visited, and the .htm fallback.
#include "controls/label/QxLabel.h"
#include "platform/gui/controls/Screen.h"
#include "platform/sys/Shell.h"
#include "tests/platform/gui/controls/ControlProbes.h"

using namespace probes;

namespace {

class TRecordingOpener : public IShellOpener {
public:
    bool Open(const String& Target, String& Error) override {
        Log.push_back("open " + Target);
        if (!Succeed) Error = "no program";
        return Succeed;
    }
    bool OpenWithHtmHandler(const String& Target, String& Error) override {
        Log.push_back("htm " + Target);
        return true;
    }
    bool Succeed = true;
    std::vector<String> Log;
};

class URLLabel : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        SetShellOpener(&Opener);
        Link = new TQxURLLabel(Form);
        Link->SetParent(Form);
        Link->SetAutoSize(false);
        Link->SetBounds(10, 10, 80, 20);
        Link->SetCaption("https://caption.example/");
        ShowForm();
    }
    void TearDown() override {
        SetShellOpener(nullptr);
        FormTest::TearDown();
    }
    void ClickLink() { Click(Link, {5, 5}); }
    TRecordingOpener Opener;
    TQxURLLabel* Link = nullptr;
};

TEST_F(URLLabel, OpensItsURLOrCaptionAndIsVisitedOnlyAfterSuccess) {
    EXPECT_EQ(Link->Cursor(), 26000);
    EXPECT_EQ(CursorIdOf(Screen->Cursors(26000)), IDC_HAND);
    EXPECT_EQ(Link->Font()->Color(), clHighlight);
    EXPECT_EQ(Link->Font()->Style(), TFontStyles{fsUnderline});

    Opener.Succeed = false;
    Link->URL = "   ";
    ClickLink();
    EXPECT_FALSE(Link->Visited());
    EXPECT_EQ(Link->LastOpenError(), "no program");
    Opener.Succeed = true;
    Link->URL = " mailto:help@quenta.example ";
    ClickLink();
    EXPECT_EQ(Opener.Log, Entries({"open https://caption.example/", "open  mailto:help@quenta.example "}));
    EXPECT_TRUE(Link->Visited());
    EXPECT_EQ(Link->Font()->Color(), 0x800080);
    Link->SetVisited(false); // by hand: recoloured at once
    EXPECT_EQ(Link->Font()->Color(), clHighlight);
}

TEST_F(URLLabel, AFailedHtmPageGoesToTheHtmProgram) {
    Opener.Succeed = false;
    for (const char* target : {"guide.HtM", "guide.html", "  "}) {
        Link->URL = target;
        Link->SetCaption(String(target) == "  " ? "  " : Link->Caption());
        ClickLink();
    }
    EXPECT_EQ(Opener.Log, Entries({"open guide.HtM", "htm guide.HtM", "open guide.html"}));
    EXPECT_FALSE(Link->Visited());
}

} // namespace

#include "tests/controls/tabs/TabTestSupport.h"
#include <iostream>
namespace {
class Scratch : public TabTest {};
std::string R(TRect r) { return "{" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," + std::to_string(r.Bottom) + "}"; }
TEST_F(Scratch, Dump) {
    for (int o = 0; o < 4; ++o) for (int s = 0; s < 6; ++s) {
        auto* t = NewTabs({"Tab1", "Tab22"});
        t->SetTabStyle(static_cast<TQxTabStyle>(s)); t->SetTabOrientation(static_cast<TQxTabOrientation>(o));
        t->LayoutIfNeeded();
        std::cout << "o" << o << " s" << s << " F=" << t->FixedDimension() << " r0=" << R(t->Tabs()->GetItem(0)->TabRect) << " r1=" << R(t->Tabs()->GetItem(1)->TabRect) << " c0=" << R(t->TabClientRect(0)) << " card=" << R(t->CardClientRect()) << "\n";
        t->Free();
    }
    for (int o = 0; o < 4; ++o) for (int q = 0; q < 2; ++q) {
        auto* t = NewTabs({"Tab1", "Tab22"});
        t->SetTabOrientation(static_cast<TQxTabOrientation>(o)); t->SetTabSequence(static_cast<TQxTabSequence>(q));
        t->LayoutIfNeeded();
        std::cout << "o" << o << " q" << q << " c0=" << R(t->TabClientRect(0)) << " c1=" << R(t->TabClientRect(1)) << " card=" << R(t->CardClientRect()) << "\n";
        t->Free();
    }
}
}

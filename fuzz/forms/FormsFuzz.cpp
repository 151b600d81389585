// Feeds arbitrary text to the form description parser and reader: any input
// must end in a form or an EFormError/EReadError, never in a crash or a hang.
#include "platform/forms/Reader.h"
#include "tests/platform/forms/FormFixtures.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    String text(reinterpret_cast<const char*>(Data), Size);
    formfixtures::TSampleForm::ClassInfo();
    formfixtures::Log().clear();
    formfixtures::TSampleForm form(nullptr);
    try {
        ReadComponentText(&form, text, "fuzz.dfm");
    } catch (const Exception&) {
        // Bad descriptions are reported; that is all that is asked of them.
    }
    return 0;
}

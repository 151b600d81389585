#pragma once
// Reads and drops stored properties that controls no longer have, so that
// form descriptions written by older versions still load. Its routines are
// given to DefineProperty as readers:
//
//   Filer->DefineProperty("FrameFlatStyle", TQxOldPropReader::SkipIdent, nullptr, false);

#include "platform/forms/Reader.h"

class TQxOldPropReader : public TObject {
public:
    // One Boolean value.
    static void SkipBoolean(TReader* Reader);
    // One identifier (an enumeration value).
    static void SkipIdent(TReader* Reader);
    // A set: its elements up to the end of the set.
    static void SkipSet(TReader* Reader);
};

#include "controls/common/QxOldPropReader.h"

void TQxOldPropReader::SkipBoolean(TReader* Reader) {
    Reader->ReadBoolean();
}

void TQxOldPropReader::SkipIdent(TReader* Reader) {
    Reader->ReadIdent();
}

void TQxOldPropReader::SkipSet(TReader* Reader) {
    if (Reader->ReadValue() != vaSet) throw EReadError("Invalid property value");
    while (!Reader->ReadStr().empty()) {
    }
}

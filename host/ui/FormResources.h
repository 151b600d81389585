#pragma once
// The host's windows are built from form descriptions (forms/*.dfm) that
// the build links into the program as resources named after their form
// class ("TPROGRESSFORM"), the way the framework keeps them. A window reads
// its description at creation:
//
//   TProgressForm::TProgressForm(TComponent* AOwner) : TForm(AOwner) {
//       InitializeForm(FormResourceText("TPROGRESSFORM"), "Prog.dfm");
//   }

#include "platform/gui/graphics/Graphics.h" // EResNotFound

// The text of the form description resource Name; raises EResNotFound
// ("Resource Name not found") when the program does not carry it.
String FormResourceText(const String& Name);

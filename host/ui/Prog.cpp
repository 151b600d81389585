#include "host/ui/Prog.h"
#include "host/ui/FormResources.h"

TProgressForm* ProgressForm = nullptr;

const TClassInfo& TProgressForm::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TProgressForm>("TProgressForm", &TForm::ClassInfo())
                                        .Field("QxProgressBar1", &TProgressForm::QxProgressBar1)
                                        .Method("FormCreate", &TProgressForm::FormCreate)
                                        .Method("FormShow", &TProgressForm::FormShow)
                                        .Register();
    return info;
}

TProgressForm::TProgressForm(TComponent* AOwner) : TForm(AOwner) {
    InitializeForm(FormResourceText("TPROGRESSFORM"), "Prog.dfm");
}

void TProgressForm::FormCreate(TObject*) {}

void TProgressForm::FormShow(TObject*) {
    QxProgressBar1->SetPercent(0);
}

void TProgressForm::SetProgress(Integer Percent) {
    if (Percent == QxProgressBar1->Percent()) return;
    QxProgressBar1->SetPercent(static_cast<Word>(Percent));
    QxProgressBar1->Update();
}

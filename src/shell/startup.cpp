#include "shell/startup.h"

#include "core/currentlist.h"
#include "core/datamodule.h"
#include "services/publicform.h"
#include "shell/aboutbox.h"
#include "shell/minibrowseform.h"
#include "shell/optionform.h"
#include "shell/welcomeform.h"
#include "study/createform.h"
#include "study/handovers.h"
#include "study/studytoolselectform.h"
#include "tools/browseform.h"
#include "tools/crazyspellform.h"
#include "tools/createtestunit.h"
#include "tools/directcheckform.h"
#include "tools/linkerform.h"
#include "tools/recallformspell.h"
#include "tools/selfreviewseams.h"
#include "tools/showwrongform.h"
#include "tools/testformselect.h"
#include "tools/testformspell.h"
#include "wordlists/dictform.h"
#include "wordlists/inputformaiciba.h"
#include "wordlists/inputformwordsvc.h"
#include "wordlists/manageformtb.h"
#include "wordlists/manageformwl.h"
#include "wordlists/samesubstrwordform.h"
#include "wordlists/titlecreateform.h"

#include <QList>
#include <QPointer>
#include <functional>

namespace {

struct Made {
    QPointer<QObject> object;
    std::function<void()> forget;  // clears the instance variable
};

QList<Made> g_made;

template <class T>
void make(T *&instance, T *object)
{
    instance = object;
    g_made.append({object, [&instance] { instance = nullptr; }});
}

template <class T>
void create(T *&instance)
{
    // The creation handler runs inside the constructor, before the next object is made.
    make(instance, new T);
}

// The windows hand over to each other through these routines; the windows are all made by now.
void wireHandOvers()
{
    TPStudyHandOvers &h = PStudyHandOvers();
    h.browseForm = [] { Pbrowseform->Show(); };
    h.prepareTest = [] { PPrepareTest(); };
    h.testFormSpell = [] { PTestFormSpell->Show(); };
    h.testFormSelect = [] { PTestFormSelect->Show(); };
    h.crazySpellForm = [] { PCrazySpellForm->ShowModal(); };
    h.linkerForm = [] { PLinkerForm->Show(); };
    h.recallFormSpell = [] { PRecallFormSpell->Show(); };
    h.directCheckForm = [] { PDirectCheckForm->Show(); };

    TPBrowseSeams &b = PBrowseSeams();
    b.PrepareTest = [] { PPrepareTest(); };
    b.TestFormSpell = [] { PTestFormSpell->Show(); };
    b.TestFormSelect = [] { PTestFormSelect->Show(); };
    b.CrazySpellForm = [] { PCrazySpellForm->ShowModal(); };
    b.CreateForm = [] { PCreateForm->Show(); };
    b.SameSubStrWordForm = [] {
        PSameSubStrWordForm->PSetPopupAuto(false);
        PSameSubStrWordForm->ShowModal();
    };
    b.DictForm = [](const QString &word) { PDictForm->PShowOnWord(word, true); };

    PTestFormSelectBrowseSeconds = [] { return qint64(PBrowseSeconds); };
    PTestFormSelectShowCreateForm = [] { PCreateForm->Show(); };
    PSpellShowCreateForm = [] { PCreateForm->Show(); };
    PLinkerFormShowToolSelect = [] { PStudyToolSelectForm->Show(); };
    PSelfReviewStudyToolSelectForm = [] { PStudyToolSelectForm->Show(); };
    PSelfReviewInputFormWordSvc = [] { PInputFormWordSvc->ShowModal(); };
    PSelfReviewManageFormTB = [] { PManageFormTB->ShowModal(); };
    PSelfReviewManageFormWL = [] { PManageFormWL->ShowModal(); };
}

void unwireHandOvers()
{
    PStudyHandOvers() = {};
    PBrowseSeams() = {};
    PTestFormSelectBrowseSeconds = [] { return qint64(0); };
    PTestFormSelectShowCreateForm = [] {};
    PSpellShowCreateForm = [] {};
    PLinkerFormShowToolSelect = [] {};
    PSelfReviewStudyToolSelectForm = [] {};
    PSelfReviewInputFormWordSvc = [] {};
    PSelfReviewManageFormTB = [] {};
    PSelfReviewManageFormWL = [] {};
}

}  // namespace

bool PStartUp(const QString &programDir, const QStringList &args)
{
    PShutDown();
    make(Pdatamodule, new TPdatamodule(programDir, args));
    // A bank whose learner row is missing (a new bank) gets it now: without it no window could
    // keep the current word list.
    if (!PTerminateRequested)
        PGuard([] { PEnsureUserRow(); });

    // Later windows read the data module in their creation handlers, and the mini browser makes
    // the background bitmap they fill from; hence this order.
    PAppTicks = 0;
    create(PMiniBrowseForm);
    create(PWelcomeForm);
    create(PManageFormTB);
    create(PManageFormWL);
    create(PStudyToolSelectForm);
    create(PCreateForm);
    create(Pbrowseform);
    create(PTestFormSpell);
    create(PTestFormSelect);
    create(PDictForm);
    create(AboutBox);
    create(POptionForm);
    create(PInputFormWordSvc);
    create(PInputFormAiCiba);
    create(PTitleCreateForm);
    create(PPublicForm);
    create(PRecallFormSpell);
    create(PSameSubStrWordForm);
    create(PLinkerForm);
    create(PShowWrongForm);
    create(PDirectCheckForm);
    create(PCrazySpellForm);
    wireHandOvers();
    return !PTerminateRequested;
}

void PShutDown()
{
    unwireHandOvers();
    while (!g_made.isEmpty()) {
        Made m = g_made.takeLast();
        delete m.object.data();
        m.forget();
    }
}

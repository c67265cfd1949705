#include "shell/startup.h"

#include "core/currentlist.h"
#include "core/datamodule.h"
#include "services/handovers.h"
#include "services/publicform.h"
#include "vocab/bankvocab.h"
#include "shell/aboutbox.h"
#include "shell/minibrowseform.h"
#include "shell/optionform.h"
#include "shell/welcomeform.h"
#include "study/createform.h"
#include "study/studytoolselectform.h"
#include "tools/browseform.h"
#include "tools/crazyspellform.h"
#include "tools/createtestunit.h"
#include "tools/directcheckform.h"
#include "tools/linkerform.h"
#include "tools/recallformspell.h"
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


}  // namespace

namespace {
// Runs F on the window Instance points to, when that window is made.
template <class T, class F>
auto on(T *const &Instance, F f)
{
    return [&Instance, f](auto &&...a) {
        if (Instance)
            f(*Instance, a...);
    };
}
}  // namespace

void PWireHandOvers()
{
    TPHandOvers &h = PHandOvers();
    h.browseForm = on(Pbrowseform, [](TPbrowseform &w) { w.Show(); });
    h.prepareTest = [] { PPrepareTest(); };
    h.testFormSpell = on(PTestFormSpell, [](TPTestFormSpell &w) { w.Show(); });
    h.testFormSelect = on(PTestFormSelect, [](TPTestFormSelect &w) { w.Show(); });
    h.crazySpellForm = on(PCrazySpellForm, [](TPCrazySpellForm &w) { w.ShowModal(); });
    h.recallFormSpell = on(PRecallFormSpell, [](TPRecallFormSpell &w) { w.Show(); });
    h.linkerForm = on(PLinkerForm, [](TPLinkerForm &w) { w.Show(); });
    h.directCheckForm = on(PDirectCheckForm, [](TPDirectCheckForm &w) { w.Show(); });

    h.createForm = on(PCreateForm, [](TPCreateForm &w) { w.Show(); });
    h.studyToolSelectForm = on(PStudyToolSelectForm, [](TPStudyToolSelectForm &w) { w.Show(); });
    h.welcomeForm = on(PWelcomeForm, [](TPWelcomeForm &w) { w.Show(); });
    // The mini browser is the program's main window: closing it ends the program.
    h.quit = on(PMiniBrowseForm, [](TPMiniBrowseForm &w) { w.close(); });

    h.miniBrowseGroup = on(PMiniBrowseForm, [](TPMiniBrowseForm &w, const QString &Table) { w.PShowGroup(Table); });
    h.dictForm = on(PDictForm, [](TPDictForm &w, const QString &Word, bool MayChange) { w.PShowOnWord(Word, MayChange); });
    h.dictFormPlain = on(PDictForm, [](TPDictForm &w) { w.ShowModal(); });
    h.sameSubStrWordForm = on(PSameSubStrWordForm, [](TPSameSubStrWordForm &w, bool PopupAuto) {
        if (!PopupAuto)
            w.PSetPopupAuto(false);
        w.ShowModal();
    });
    h.inputFormWordSvc = on(PInputFormWordSvc, [](TPInputFormWordSvc &w) { w.ShowModal(); });
    h.inputFormAiCiba = on(PInputFormAiCiba, [](TPInputFormAiCiba &w) { w.ShowModal(); });
    h.manageFormTB = on(PManageFormTB, [](TPManageFormTB &w) { w.ShowModal(); });
    h.manageFormWL = on(PManageFormWL, [](TPManageFormWL &w) { w.ShowModal(); });

    h.browseSeconds = [] { return qint64(PBrowseSeconds); };
}

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
    PWireHandOvers();
    return !PTerminateRequested;
}

void PShutDown()
{
    PHandOvers() = {};
    while (!g_made.isEmpty()) {
        Made m = g_made.takeLast();
        delete m.object.data();
        m.forget();
    }
}

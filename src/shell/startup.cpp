#include "shell/startup.h"

#include "core/currentlist.h"
#include "core/datamodule.h"
#include "services/publicform.h"
#include "shell/aboutbox.h"
#include "shell/minibrowseform.h"
#include "shell/optionform.h"
#include "shell/welcomeform.h"
#include "tools/crazyspellform.h"
#include "tools/directcheckform.h"
#include "tools/recallformspell.h"
#include "tools/showwrongform.h"
#include "wordlists/inputformaiciba.h"

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

bool PStartUp(const QString &programDir, const QStringList &args)
{
    PShutDown();
    make(Pdatamodule, new TPdatamodule(programDir, args));
    // A bank whose learner row is missing (a new bank) gets it now: without it no window could
    // keep the current word list.
    if (!PTerminateRequested)
        PGuard([] { PEnsureUserRow(); });

    // Later windows read the data module in their creation handlers, and the mini browser makes
    // the background bitmap they fill from; hence this order. The windows not listed do not exist
    // in the program yet and take their places when they do:
    //   after the welcome window: word-list manager, word-entry editor, tool choice, study-group
    //   builder, word browser, spelling test, multiple-choice test, small dictionary;
    //   between the options dialog and the word-book import: bulk import;
    //   after the word-book import: article word counter;
    //   after quick recall: spelling filter, meaning matching (before the review).
    PAppTicks = 0;
    create(PMiniBrowseForm);
    create(PWelcomeForm);
    create(AboutBox);
    create(POptionForm);
    create(PInputFormAiCiba);
    create(PPublicForm);
    create(PRecallFormSpell);
    create(PShowWrongForm);
    create(PDirectCheckForm);
    create(PCrazySpellForm);
    return !PTerminateRequested;
}

void PShutDown()
{
    while (!g_made.isEmpty()) {
        Made m = g_made.takeLast();
        delete m.object.data();
        m.forget();
    }
}

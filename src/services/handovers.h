#pragma once
// Where one window hands over to another. Start-up, which makes every window, fills this table once;
// a window never includes another window folder's headers, it calls an entry here. An unset entry
// means that window is not in the program (a test that made only some windows): PHandOver then
// does nothing and the caller stays as it is.

#include <QString>
#include <functional>
#include <utility>

struct TPHandOvers {
    // The study tools and what opens them.
    std::function<void()> browseForm;       // the word browser: Show
    std::function<void()> prepareTest;      // the multiple-choice option builder, before either test
    std::function<void()> testFormSpell;    // the spelling test: Show
    std::function<void()> testFormSelect;   // the multiple-choice test: Show
    std::function<void()> crazySpellForm;   // crazy spell: ShowModal
    std::function<void()> recallFormSpell;  // quick recall: Show
    std::function<void()> linkerForm;       // meaning matching: Show
    std::function<void()> directCheckForm;  // tick-to-memorise: Show

    // The ways back.
    std::function<void()> createForm;           // the study-group builder: Show
    std::function<void()> studyToolSelectForm;  // the tool choice: Show
    std::function<void()> welcomeForm;          // the welcome window: Show
    std::function<void()> quit;                 // ends the program

    // Windows every part of the program may open.
    // The mini browser on the words of Table, sent from the word browser ("学词").
    std::function<void(const QString &Table)> miniBrowseGroup;
    // The small dictionary, modal, looked up on Word; MayChange false hides its move and delete groups.
    std::function<void(const QString &Word, bool MayChange)> dictForm;
    std::function<void()> dictFormPlain;  // the small dictionary, modal, as the learner left it
    // The spelling filter, modal; PopupAuto false leaves its result list without the context menu.
    std::function<void(bool PopupAuto)> sameSubStrWordForm;
    std::function<void()> inputFormWordSvc;  // the bulk import, modal
    std::function<void()> inputFormAiCiba;   // the word-book import, modal
    std::function<void()> manageFormTB;      // the word-list manager, modal
    std::function<void()> manageFormWL;      // the word-entry editor, modal

    // The word browser's own clock: seconds since it was last activated.
    std::function<qint64()> browseSeconds;
};

TPHandOvers &PHandOvers();

// Runs a hand-over that is wired; an unset one does nothing.
template <class F, class... A>
void PHandOver(const F &To, A &&...a)
{
    if (To)
        To(std::forward<A>(a)...);
}

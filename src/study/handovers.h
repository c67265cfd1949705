#pragma once
// Where the study setup hands over to the study tools. Start-up sets each one to its window; an
// unset one means that tool is not in the program, and the window asking for it stays as it is.

#include <functional>

struct TPStudyHandOvers {
    std::function<void()> browseForm;       // the word browser: Show
    std::function<void()> prepareTest;      // the multiple-choice option builder, before either test
    std::function<void()> testFormSpell;    // the spelling test: Show
    std::function<void()> testFormSelect;   // the multiple-choice test: Show
    std::function<void()> crazySpellForm;   // crazy spell: ShowModal
    std::function<void()> recallFormSpell;  // quick recall: Show
    std::function<void()> linkerForm;       // meaning matching: Show
    std::function<void()> directCheckForm;  // tick-to-memorise: Show
};

TPStudyHandOvers &PStudyHandOvers();

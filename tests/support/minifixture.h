#pragma once
// A bank with its learner row, the shared window and a stopped mini browser whose word timers run
// on a hand-worked clock; the playback state starts afresh.

#include "core/currentlist.h"
#include "services/publicform.h"
#include "shell/minibrowseform.h"
#include "support/bankfixture.h"
#include "support/manualclock.h"

#include <QTimer>
#include <memory>

class MiniFixture : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        PEnsureUserRow();
        PSetCurrentTable(QStringLiteral("WordTable"));
        clock = std::make_unique<ManualClock>();
        publicForm = std::make_unique<TPPublicForm>();
        form = std::make_unique<TPMiniBrowseForm>();
        form->TimerApp->setEnabled(false);
        PMiniIndex = 0;
        PMiniPhase = false;
        PMiniRepeatsLeft = 0;
        PAppTicks = 0;
    }
    void TearDown() override
    {
        form.reset();
        publicForm.reset();
        clock.reset();
        BankFixture::TearDown();
    }

    std::unique_ptr<ManualClock> clock;
    std::unique_ptr<TPPublicForm> publicForm;
    std::unique_ptr<TPMiniBrowseForm> form;
};

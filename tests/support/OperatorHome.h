#pragma once

#include "playout/OperatorSeam.h"
#include "support/RecordingOperator.h"
#include "support/TempHome.h"

// A fixture with a recording operator installed over the fixture it builds on: every
// message, question and dialog of the test goes to `op`, as do the lower layers'
// alerts.
template <class Home> class WithOperator : public Home {
protected:
    void SetUp() override {
        Home::SetUp();
        OperatorSeam::Set(&op);
    }
    void TearDown() override {
        OperatorSeam::Set(nullptr);
        Home::TearDown();
    }

    RecordingOperator op;
};

// A test in a fresh OSTREL_HOME with a recording operator.
using OperatorHome = WithOperator<TempHome>;

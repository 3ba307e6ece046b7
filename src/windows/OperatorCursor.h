#pragma once

// While a dialog waits for the operator in the middle of long work, the pointer is
// the ordinary arrow, not the wait cursor; the wait cursor comes back with the
// dialog's end. Outside long work it changes nothing.
class OperatorCursor {
public:
    OperatorCursor();
    ~OperatorCursor();
    OperatorCursor(const OperatorCursor&) = delete;
    OperatorCursor& operator=(const OperatorCursor&) = delete;

private:
    bool pushed = false;
};

#pragma once

class MainView;

// A stretch of long work: the window shows it is busy (the wait cursor) from the
// span's start until its end, on every way out of the work.
class BusySpan {
public:
    explicit BusySpan(MainView& view);
    ~BusySpan();
    BusySpan(const BusySpan&) = delete;
    BusySpan& operator=(const BusySpan&) = delete;

private:
    MainView& view;
};

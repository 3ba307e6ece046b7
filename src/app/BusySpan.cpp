#include "app/BusySpan.h"

#include "app/MainView.h"

BusySpan::BusySpan(MainView& view) : view(view) {
    view.SetBusy(true);
}

BusySpan::~BusySpan() {
    view.SetBusy(false);
}

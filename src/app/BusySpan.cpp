#include "app/BusySpan.h"

#include "app/iMainView.h"

BusySpan::BusySpan(iMainView& view) : view(view) {
    view.SetBusy(true);
}

BusySpan::~BusySpan() {
    view.SetBusy(false);
}

#pragma once

#include "window/events.h"
#include "window/model.h"
#include "window/steps.h"

namespace window {

// The whole program on any toolkit: the form, the event procedures that give it its behaviour,
// the steps of the last run, and the view that shows them, made from the form and the steps and
// told by them of every change.
template <typename View>
struct Program {
  Form form;
  steps::Walkthrough steps{form};
  EventProcedures procedures{form};
  View view{form, steps};

  Program() {
    form.SetEvents(&procedures);
    procedures.Watch(&steps);
  }
};

}  // namespace window

#pragma once

#include "lessons/steps.h"
#include "window/events.h"
#include "window/model.h"

namespace window {

// The whole program on any toolkit, put together: the form, the event procedures that give it its
// behaviour, the lessons beyond the window, which follow its runs through the search's observer,
// and the view that shows them all, made from the form and the lessons and told by them of every
// change. The window knows the lessons only here.
template <typename View>
struct Program {
  Form form;
  lessons::steps::Walkthrough steps{form};
  EventProcedures procedures{form};
  View view{form, steps};

  Program() {
    form.SetEvents(&procedures);
    procedures.Watch(&steps);
  }
};

}  // namespace window

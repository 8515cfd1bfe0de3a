#pragma once

#include "lessons/lessons.h"
#include "lessons/tasks.h"
#include "window/events.h"
#include "window/model.h"

// The whole program on any toolkit, put together above the window and the lessons: the form, the
// event procedures that give it its behaviour, the lessons beyond the window, which follow its
// runs through the search's observer, and the view that shows them all, made from the form and
// the lessons and told by them of every change. Only here do the window and the lessons meet.
namespace program {

template <typename View>
struct Program {
  window::Form form;
  lessons::Lessons lessons{form, lessons::practice::FreshSeed()};
  window::EventProcedures procedures{form};
  View view{form, lessons};

  Program() {
    form.SetEvents(&procedures);
    procedures.Watch(&lessons.steps);
  }
};

}  // namespace program

// The core as the Windows program links it, with the standard library built for Windows' own
// threads (its tests have the POSIX one): a run-time error raised deep in the search and caught at
// the top of the event, the pupil's language refusing a text and stopping a run, and a check of a
// task on its 1,002 counts, each as on the other platforms. No test framework, which needs the
// POSIX threads; a line for each check that fails, and the exit status 1.
#include <cstdio>
#include <string>
#include <variant>

#include "language/program.h"
#include "lessons/write.h"
#include "runtime/number_text.h"
#include "window/events.h"
#include "window/model.h"

namespace {

int failures = 0;

void Expect(bool holds, const char* what) {
  if (holds) return;
  std::printf("failed: %s\n", what);
  ++failures;
}

struct Reported : window::FormObserver {
  int error = 0;
  void ErrorReported(const runtime::RuntimeError& raised) override { error = raised.number(); }
};

}  // namespace

int main() {
  window::Form form;
  window::EventProcedures procedures(form);
  Reported reported;
  form.SetEvents(&procedures);
  form.SetObserver(&reported);
  form.Load();
  form.Text2[1].SetText(U"20000");
  form.UserClick(0);
  Expect(reported.error == 6, "the overflow of 20000 reported as error 6");
  form.Text2[1].SetText(U"70");
  form.UserClick(0);
  Expect(form.List1[2].Items() == std::vector<runtime::String>{U"146", U"78", U"42", U"38"},
         "the rows of 70");

  namespace write = lessons::write;
  Expect(std::holds_alternative<language::Error>(language::Parse("a ← 70 / 2")),
         "a text with / refused");
  write::Write page;
  page.Edit("i ← 0\nj ← 5 div i");
  page.Press(write::Command::kRun);
  Expect(page.Message().rfind("Ред 2: не може да се дели на 0", 0) == 0,
         "a division by 0 stops the run");
  page.ChooseTask(2);
  page.Edit(write::LessonText());
  page.Press(write::Command::kCheck);
  while (page.Checking())
    page.CheckSome();
  Expect(page.Verdict().rfind("Вярно за всяко N от 1 до 1000", 0) == 0,
         "the lesson's program right for the same rows");
  std::printf("%s\n", failures == 0 ? "passed" : "FAILED");
  return failures == 0 ? 0 : 1;
}

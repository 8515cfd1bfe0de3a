#include "window/events.h"

#include "runtime/number_text.h"
#include "search/frames.h"

namespace window {

void EventProcedures::Form_Load() {
  form_.Option1[1].SetValue(true);  // count mode; its click clears and enables the boxes
  form_.Text2[1].SetText(runtime::WholeText(int64_t{70}));
}

void EventProcedures::Command1_Click(int16_t index) {
  switch (index) {
    case 0:
      search::FindFrames(form_, watcher_);
      break;
    case 1:
      ClearAll();
      break;
    default:
      break;
  }
}

void EventProcedures::Option1_Click(int16_t index) {
  ClearAll();
  switch (index) {
    case 0:
      form_.Text2[0].SetEnabled(true);
      form_.Text2[1].SetEnabled(false);
      break;
    case 1:
      form_.Text2[1].SetEnabled(true);
      form_.Text2[0].SetEnabled(false);
      break;
    default:
      break;
  }
}

void EventProcedures::List1_Click(int16_t index) {
  if (index < 0 || index >= static_cast<int16_t>(form_.List1.size())) return;
  const ListBox& clicked = form_.List1[static_cast<size_t>(index)];
  if (clicked.ListCount() < 1) return;
  const int row = clicked.ListIndex();
  // Each assignment that moves a selection raises this procedure again for that list, nested;
  // all of them move to the same row, so the cascade ends with it selected everywhere. A search
  // stopped by an error may leave the lists of unequal length: a list without the row keeps
  // its selection.
  for (ListBox& list : form_.List1) {
    if (row < list.ListCount()) list.SetListIndex(row);
  }
  if (watcher_ != nullptr) watcher_->RowChosen(row);
}

void EventProcedures::ClearAll() {
  form_.Text2[0].SetText(String());
  form_.Text2[1].SetText(String());
  for (ListBox& list : form_.List1)
    list.Clear();
  if (watcher_ != nullptr) watcher_->ListsCleared();
}

}  // namespace window

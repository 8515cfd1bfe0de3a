#include "lessons/lessons.h"

#include "lessons/menu.h"
#include "lessons/picture.h"
#include "runtime/text.h"

namespace lessons {

std::string PageTitle(int page) {
  if (page < 0) return picture::kCaption;
  for (const menu::Menu& each : menu::kMenus) {
    for (int i = 0; i < each.count; ++i) {
      const menu::Item& item = each.items[static_cast<size_t>(i)];
      if (menu::PageOf(item.command) == page) return menu::Plain(item.text);
    }
  }
  return picture::kCaption;
}

bool Lessons::ShowInProgram() {
  if (!practice.Enabled(practice::Button::kShowProgram)) return false;
  const practice::Practice::InProgram shown = practice.ShowInProgram();
  const int box = shown.mantra ? 0 : 1;
  form_.UserChoose(box);  // "Мантра" is option 0 and box 0, "Брой букви" option 1 and box 1
  form_.Text2[static_cast<size_t>(box)].SetText(shown.text);
  form_.UserClick(0);
  form_.UserSelect(2, shown.row);
  return true;
}

void Lessons::OpenChange() {
  change.Open(runtime::ToUtf8(form_.Text2[1].Text()));
}

void Lessons::OpenWrite() {
  write.Open(runtime::ToUtf8(form_.Text2[1].Text()));
}

}  // namespace lessons

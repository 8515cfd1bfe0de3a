// Writes the page's files that come from the layout table, when the page is built (run by
// Node.js): page_files html TEMPLATE OUT | css OUT | manifest OUT | layout OUT
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "web/layout_json.h"
#include "web/page_html.h"

namespace {

std::string Read(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool Write(const char* path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::string_view what = argc > 1 ? argv[1] : "";
  bool written = false;
  if (what == "html" && argc == 4) {
    written = Write(argv[3], web::PageHtml(Read(argv[2])));
  } else if (what == "css" && argc == 3) {
    written = Write(argv[2], web::WindowCss());
  } else if (what == "manifest" && argc == 3) {
    written = Write(argv[2], web::AppManifest());
  } else if (what == "layout" && argc == 3) {
    written = Write(argv[2], web::LayoutJson() + '\n');
  } else {
    std::fputs("usage: page_files html TEMPLATE OUT | css OUT | manifest OUT | layout OUT\n",
               stderr);
    return 2;
  }
  return written ? 0 : 1;
}

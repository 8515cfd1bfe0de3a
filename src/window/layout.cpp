#include "window/layout.h"

namespace window::layout {

namespace {

// The problem statement: five lines, each ended by a carriage return and line feed.
constexpr const char* kStatement =
    "Собственик на просперираща фирма решава да се поглези. С натрупаната печалба иска да направи "
    "колаж – в множество еднакви квадрати да се изписват отделните букви на щастливата му мантра. "
    "Целият колаж да е ограден от рамка с ширина размера на малките квадрати. Проблемът е в "
    "детайлите – самата рамка трябва да бъде от масивно злато. Неговият счетоводител е поставен "
    "пред дилема:  ако се съгласи напълно с шефа си, означава да се замрази голяма сума от "
    "оборотния капитал, а следователно и редуциране на бъдещата печалба; ако се противопостави "
    "означава да си търси друга работа. Единствената удовлетворителна възможност е златната рамка "
    "да е с минимален периметър.\r\n"
    "Да се реализира проект, представящ междупредметни връзки между Математика и Информатика.\r\n"
    "Тема на проекта: Математика – рамка с минимален периметър.\r\n"
    "Входни данни за проекта: текст на щастливата мантра или брой букви в нея. Текстът може да "
    "бъде допълван с интервали, но началния брой букви не може да се намалява. Размера на буквите "
    "също не се променя. Допустимо е мантрата да се представи като анаграма.\r\n"
    "Изходни данни: възможни размери за периметър на рамката, последните изведени данни да "
    "извеждат размер на рамката с минимален периметър.\r\n";

// A quotation, kept with the problem statement but hidden: it would cover most of it.
constexpr const char* kQuotation =
    "Неприятното в това да си първият, направил нещо по \r\n"
    "правилния начин, е, че никой не оценява колко трудно е \r\n"
    "било. \r\n";

constexpr Rgb kLabel{0xFF, 0xC0, 0x80};
constexpr Rgb kGreen{0x00, 0xFF, 0x00};
constexpr Rgb kRed{0xFF, 0x00, 0x00};
constexpr Rgb kOptionBlue{0x80, 0x80, 0xFF};

}  // namespace

// clang-format off
const std::array<Control, 31> kControls{{
  // name       idx kind            left  top   width height text                      colour         tab accessible name
  {"Text1",     0, Kind::kNote,     120, 3840, 6855, 2415, kStatement,               {},             0, "Условие на задачата"},
  {"Text1",     1, Kind::kNote,     600, 4680, 6735, 1815, kQuotation,               {},             1, "Цитат", true},
  {"Label1",    0, Kind::kTitle,    840,    0, 4815,  375, "Математика - рамка с минимален периметър", kLabel, 2, nullptr},
  {"Label1",    1, Kind::kLabel,    120,  480, 1455,  375, "Мантра",                 kLabel,         3, nullptr},
  {"Text2",     0, Kind::kTextBox, 1560,  480, 5415,  405, "",                       {},             4, "Мантра"},
  {"List1",     0, Kind::kList,     120, 1920, 1335, 1770, "",                       {},             5, "по абсциса"},
  {"List1",     1, Kind::kList,    1800, 1920, 1335, 1770, "",                       {},             6, "по ордината"},
  {"List1",     2, Kind::kList,    3480, 1920, 1335, 1770, "",                       {},             7, "периметър"},
  {"Label1",    2, Kind::kLabel,    120, 1560, 1335,  375, "по абсциса",             kLabel,         8, nullptr},
  {"Label1",    3, Kind::kLabel,   1800, 1560, 1335,  375, "по ордината",            kLabel,         9, nullptr},
  {"Label1",    4, Kind::kLabel,   3480, 1560, 1335,  375, "периметър",              kLabel,        10, nullptr},
  {"Command1",  0, Kind::kButton,  3480,  960, 1335,  375, "Изчисли",                kGreen,        11, nullptr},
  {"Command1",  1, Kind::kButton,  5760,    0, 1215,  375, "Изчисти",                kRed,          12, nullptr},
  {"Text2",     1, Kind::kTextBox, 1560,  960, 1455,  405, "",                       {},            13, "Брой букви"},
  {"Label1",    5, Kind::kLabel,    120,  960, 1455,  375, "Брой букви",             kLabel,        14, nullptr},
  {"Frame1",    0, Kind::kFrame,   5160,  960, 1815, 1095, "Вид данни",              kBackground,   15, nullptr},
  {"Option1",   0, Kind::kOption,   120,  360, 1575,  285, "Мантра",                 kOptionBlue,   16, nullptr},
  {"Option1",   1, Kind::kOption,   120,  650, 1575,  285, "Брой букви",             kOptionBlue,   17, nullptr},
  // The illustration: 3 × 3 letter squares in a frame of four gold bars laid like a pinwheel.
  {"Command2",  0, Kind::kPicture, 5400, 2500,  300,  300, "", kOlive, 18, "Квадрат с буква, ред 1, колона 1"},
  {"Command2",  1, Kind::kPicture, 5700, 2500,  300,  300, "", kOlive, 19, "Квадрат с буква, ред 1, колона 2"},
  {"Command2",  2, Kind::kPicture, 6000, 2500,  300,  300, "", kOlive, 20, "Квадрат с буква, ред 1, колона 3"},
  {"Command2",  3, Kind::kPicture, 5400, 2800,  300,  300, "", kOlive, 21, "Квадрат с буква, ред 2, колона 1"},
  {"Command2",  4, Kind::kPicture, 5700, 2800,  300,  300, "", kOlive, 22, "Квадрат с буква, ред 2, колона 2"},
  {"Command2",  5, Kind::kPicture, 6000, 2800,  300,  300, "", kOlive, 23, "Квадрат с буква, ред 2, колона 3"},
  {"Command2",  6, Kind::kPicture, 5400, 3100,  300,  300, "", kOlive, 24, "Квадрат с буква, ред 3, колона 1"},
  {"Command2",  7, Kind::kPicture, 5700, 3100,  300,  300, "", kOlive, 25, "Квадрат с буква, ред 3, колона 2"},
  {"Command2",  8, Kind::kPicture, 6000, 3100,  300,  300, "", kOlive, 26, "Квадрат с буква, ред 3, колона 3"},
  {"Command2",  9, Kind::kPicture, 5100, 2200, 1200,  300, "", kGold,  27, "Златна рамка, горна страна"},
  {"Command2", 10, Kind::kPicture, 5100, 2500,  300, 1200, "", kGold,  28, "Златна рамка, лява страна"},
  {"Command2", 11, Kind::kPicture, 5400, 3400, 1200,  300, "", kGold,  29, "Златна рамка, долна страна"},
  {"Command2", 12, Kind::kPicture, 6300, 2200,  300, 1200, "", kGold,  30, "Златна рамка, дясна страна"},
}};
// clang-format on

const Control* Frame() {
  for (const Control& control : kControls) {
    if (control.kind == Kind::kFrame) return &control;
  }
  return nullptr;
}

}  // namespace window::layout

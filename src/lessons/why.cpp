#include "lessons/why.h"

#include <algorithm>

#include "lessons/words.h"

namespace lessons::change {

namespace {

using practice::FrameOf;
using words::Fill;
using words::Grouped;

using Kind = Claim::Kind;
using Like = Claim::Like;

// The count whose work the page shows where N = 1 makes none either way.
constexpr int kShownWork = 70;
// The most tie rows a reason names; more are counted.
constexpr size_t kTiesNamed = 4;

Switches With(Switches switches, Part part, bool on) {
  switches.on[static_cast<size_t>(part)] = on;
  return switches;
}

Row RowOf(int across, int down) {
  return {across, down, static_cast<int>(FrameOf(across, down))};
}

// Without the closing square: the run still reaches a frame no larger than the square's, by the
// strip where RootSide is 1, by RootSide × (RootSide + 2) in N's own area or a larger one, or it
// never reaches the square, N being a perfect square.
std::vector<Claim> ClosingSquare(int n) {
  const int root = practice::WholeRoot(n);
  if (root * root == n) return {{.kind = Kind::kPerfectSquare, .count = n, .side = root}};
  const int side = root + 1;
  std::vector<Claim> claims = {
      {.kind = Kind::kRootSide, .count = n, .side = root},
      {.kind = Kind::kClosingSquare, .count = n, .side = side, .row = RowOf(side, side)}};
  if (root == 1) {
    claims.push_back({.kind = Kind::kStrip, .count = n, .row = RowOf(1, n)});
  } else {
    claims.push_back({.kind = Kind::kRectangle,
                      .count = n,
                      .area = root * (root + 2),
                      .row = RowOf(root, root + 2),
                      .like = RowOf(side, side),
                      .how = Like::kClosingSquare});
  }
  return claims;
}

// With the divisors up to N: each divisor above RootSide gives a rectangle the program has met
// already, reversed, or the square of the closing square's frame; so the answer stays, and the
// work grows. For N = 1 there is no divisor either way, and the work grows for 70.
std::vector<Claim> RootSide(int n, const Switches& switches) {
  const int root = practice::WholeRoot(n);
  std::vector<Claim> claims = {{.kind = Kind::kRootSide, .count = n, .side = root}};
  const Run changed = Changed(n, switches);
  claims.push_back(
      {.kind = Kind::kWork, .count = n, .work = changed.work, .written = WorkAsWritten(n)});
  if (n == 1) {
    const Run shown = Changed(kShownWork, switches);
    claims.push_back({.kind = Kind::kWork,
                      .count = kShownWork,
                      .work = shown.work,
                      .written = WorkAsWritten(kShownWork)});
    claims.push_back({.kind = Kind::kAnswer, .count = kShownWork, .row = shown.rows.back()});
    return claims;
  }
  // The first rectangle reversed, where there is one, the strip reversed, and the square of the
  // last area.
  bool reversed = false;
  const int last_area = LastArea(n, switches);
  for (int area = n; area <= last_area && !reversed; ++area) {
    for (const int i : DivisorsOf(area)) {
      const int j = area / i;
      if (i <= root || j < 2 || j >= i) continue;
      claims.push_back({.kind = Kind::kRectangle,
                        .count = n,
                        .area = area,
                        .row = RowOf(i, j),
                        .like = RowOf(j, i),
                        .how = Like::kEarlierDivisor});
      reversed = true;
      break;
    }
  }
  claims.push_back({.kind = Kind::kRectangle,
                    .count = n,
                    .area = n,
                    .row = RowOf(n, 1),
                    .like = RowOf(1, n),
                    .how = Like::kStrip});
  if (root * root != n) {
    const int side = root + 1;
    claims.push_back({.kind = Kind::kRectangle,
                      .count = n,
                      .area = side * side,
                      .row = RowOf(side, side),
                      .like = RowOf(side, side),
                      .how = Like::kClosingSquare});
  }
  claims.push_back({.kind = Kind::kOnlyThese, .count = n, .side = root});
  claims.push_back({.kind = Kind::kAnswer, .count = n, .row = changed.rows.back()});
  return claims;
}

// With the rows on a tie: the rows the program lists that the program with P < BestFrame does
// not, in the order they come, and the last row against the program as written's.
std::vector<Claim> Ties(int n, const Switches& switches) {
  const Run changed = Changed(n, switches);
  const Run strict = Changed(n, With(switches, Part::kSmaller, true));
  std::vector<Row> added;
  size_t next = 0;
  for (const Row& row : changed.rows) {
    if (next < strict.rows.size() && strict.rows[next] == row) {
      ++next;
    } else {
      added.push_back(row);
    }
  }
  return {{.kind = Kind::kAnswer, .count = n, .row = changed.rows.back()},
          {.kind = Kind::kTies,
           .count = n,
           .row = changed.rows.back(),
           .like = Changed(n, Switches{}).rows.back(),
           .rows = added}};
}

const Claim* Find(const Reason& reason, Kind kind, Like how = Like::kNone) {
  for (const Claim& claim : reason.claims) {
    if (claim.kind == kind && claim.how == how) return &claim;
  }
  return nullptr;
}

std::string ClosingSquareWords(const Reason& reason) {
  if (const Claim* square = Find(reason, Kind::kPerfectSquare)) {
    return Fill(
        "Без затварящия квадрат: {0} = {1} × {1} е точен квадрат, затова програмата свършва след "
        "площта {0} и до затварящия квадрат не стига.",
        {Grouped(square->count), Grouped(square->side)});
  }
  const Claim& root = *Find(reason, Kind::kRootSide);
  const Row closing = Find(reason, Kind::kClosingSquare)->row;
  const std::string n = Grouped(root.count);
  const std::string ends =
      "затова квадратът не дава по-малка рамка от тези, които програмата вече е намерила.";
  if (const Claim* strip = Find(reason, Kind::kStrip)) {
    return Fill(
        "Без затварящия квадрат: за {0} RootSide (цялата част на √{0}) е 1 и лентата {1} има "
        "рамка {2}, {3}затварящият квадрат {4} – {5}, {6}",
        {n, Sides(strip->row), Grouped(strip->row.frame),
         strip->row.frame == closing.frame ? "колкото " : "а ", Sides(closing),
         Grouped(closing.frame), ends});
  }
  const Claim& wide = *Find(reason, Kind::kRectangle, Like::kClosingSquare);
  const std::string gives = Fill(
      "делителят {0} дава {1} с рамка 2 × {0} + 2 × {2} + 4 = {3}, колкото затварящият квадрат "
      "{4}, ",
      {Grouped(wide.row.across), Sides(wide.row), Grouped(wide.row.down), Grouped(wide.row.frame),
       Sides(closing)});
  if (wide.area == root.count) {
    return Fill(
        "Без затварящия квадрат: за {0} RootSide (цялата част на √{0}) е {1}, а {0} = {2}: още в "
        "площта {0} {3}{4}",
        {n, Grouped(root.side), Sides(wide.row), gives, ends});
  }
  return Fill(
      "Без затварящия квадрат: за {0} RootSide (цялата част на √{0}) е {1}, а {2} = {3} = {4} − 1 "
      "побира всички {0} букви. Площта {3} е сред по-големите площи, които програмата разглежда, "
      "и в нея {5}{6}",
      {n, Grouped(root.side), Sides(wide.row), Grouped(wide.area), Sides(closing), gives, ends});
}

std::string RootSideWords(const Reason& reason) {
  const Claim& root = *Find(reason, Kind::kRootSide);
  const Claim& work = *Find(reason, Kind::kWork);
  if (root.count == 1) {
    const Claim& shown = *std::find_if(
        reason.claims.begin(), reason.claims.end(),
        [](const Claim& claim) { return claim.kind == Kind::kWork && claim.count != 1; });
    return Fill(
        "С делителите до N: за 1 RootSide е 1, а делители от 2 до 1 няма, затова и двете програми "
        "не правят нито едно деление. За {0} обаче тази програма прави {1} вместо {2}: отговорът "
        "е същият, {3}, но работата расте.",
        {Grouped(shown.count), Divisions(shown.work.Divisions()),
         Grouped(shown.written.Divisions()), Grouped(Find(reason, Kind::kAnswer)->row.frame)});
  }
  std::string met;
  if (const Claim* reversed = Find(reason, Kind::kRectangle, Like::kEarlierDivisor)) {
    met = Fill("{0} в площта {1} е {2} от делителя {3} и ",
               {Sides(reversed->row), Grouped(reversed->area), Sides(reversed->like),
                Grouped(reversed->like.across)});
  }
  const Claim& strip = *Find(reason, Kind::kRectangle, Like::kStrip);
  met += Fill("{0} е лентата {1}", {Sides(strip.row), Sides(strip.like)});
  if (const Claim* square = Find(reason, Kind::kRectangle, Like::kClosingSquare)) {
    met += Fill(
        ", освен квадрата {0} в площта {1}, чиято рамка {2} е колкото на затварящия "
        "квадрат",
        {Sides(square->row), Grouped(square->area), Grouped(square->row.frame)});
  }
  const bool one = root.side + 1 == root.count;
  return Fill(
      "С делителите до N: за {0} RootSide е {1}, а тази програма пробва и {2}. {3} дава обърнат "
      "правоъгълник, който програмата вече е срещнала: {4}. Рамките са същите, затова отговорът е "
      "пак {5}, но работата расте: за {0} – {6} вместо {7}.",
      {Grouped(root.count), Grouped(root.side),
       one ? Fill("делителя {0}", {Grouped(root.count)})
           : Fill("делителите от {0} до {1}", {Grouped(root.side + 1), Grouped(root.count)}),
       one ? "Той, щом дели площта," : "Всеки от тях, който дели площта,", met,
       Grouped(Find(reason, Kind::kAnswer)->row.frame), Divisions(work.work.Divisions()),
       Grouped(work.written.Divisions())});
}

std::string TiesWords(const Reason& reason) {
  const Claim& ties = *Find(reason, Kind::kTies);
  std::string said =
      "С редовете при равна рамка: ред с рамка, равна на BestFrame (най-малката рамка досега), не "
      "я прави по-малка, затова най-малката рамка не се променя – могат да се променят само "
      "редовете. ";
  const std::string n = Grouped(ties.count);
  if (ties.rows.empty()) {
    return said +
           Fill("За {0} тази промяна не добавя нито един ред и програмата завършва пак с {1}.",
                {n, Named(ties.row)});
  }
  std::string rows;
  const size_t named = ties.rows.size() <= kTiesNamed ? ties.rows.size() : kTiesNamed - 1;
  for (size_t at = 0; at < named; ++at) {
    rows += (at == 0                                        ? ""
             : at + 1 == named && named == ties.rows.size() ? " и "
                                                            : ", ") +
            Sides(ties.rows[at]);
  }
  if (named < ties.rows.size()) {
    rows = Fill("още {0} реда с равна рамка – {1}, …", {Grouped(ties.rows.size()), rows});
  }
  return said + (ties.row == ties.like
                     ? Fill("За {0} тази програма записва и {1}, но завършва пак с {2}.",
                            {n, rows, Named(ties.row)})
                     : Fill("За {0} тази програма записва и {1} и завършва с {2}, вместо с {3}.",
                            {n, rows, Named(ties.row), Named(ties.like)}));
}

}  // namespace

std::vector<Reason> Reasons(int count, const Switches& switches) {
  std::vector<Reason> reasons;
  if (switches.AsWritten() || !RightForEveryCount(switches) || count < 1 || count > kLargestCount)
    return reasons;
  if (!switches[Part::kClosingSquare])
    reasons.push_back({Part::kClosingSquare, ClosingSquare(count)});
  if (!switches[Part::kRootSide]) reasons.push_back({Part::kRootSide, RootSide(count, switches)});
  if (!switches[Part::kSmaller]) reasons.push_back({Part::kSmaller, Ties(count, switches)});
  return reasons;
}

std::string Words(const Reason& reason) {
  switch (reason.part) {
    case Part::kClosingSquare:
      return ClosingSquareWords(reason);
    case Part::kRootSide:
      return RootSideWords(reason);
    case Part::kSmaller:
      return TiesWords(reason);
    case Part::kLargerAreas:
      break;
  }
  return {};
}

std::string Sides(const Row& row) {
  return words::Bound(Grouped(row.across) + " × " + Grouped(row.down));
}

std::string Named(const Row& row) {
  return Fill("{0}, рамка {1}", {Sides(row), Grouped(row.frame)});
}

std::string Divisions(int64_t count) {
  return Grouped(count) + (count == 1 ? " деление" : " деления");
}

}  // namespace lessons::change

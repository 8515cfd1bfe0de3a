// "Защо?" for every N the programs take and every change that cannot go wrong: each claim a reason
// makes checked against the run it speaks of, by a reading of the program's lines that shares
// nothing with the core's; and the words of the reasons for a few N.
#include "lessons/why.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "lessons/change.h"
#include "plain_text.h"
#include "search/steps.h"

namespace {

using lessons::change::Changed;
using lessons::change::Claim;
using lessons::change::Part;
using lessons::change::Row;
using lessons::change::Switches;
using lessons::change::Work;
using Kind = Claim::Kind;
using Like = Claim::Like;

Switches Without(std::initializer_list<Part> parts) {
  Switches switches;
  for (const Part part : parts)
    switches.on[static_cast<size_t>(part)] = false;
  return switches;
}

Row Rectangle(int across, int down) {
  return {across, down, 2 * across + 2 * down + 4};
}

// The changed program's run for N as its lines read: the areas it examines, from N to the last,
// and the divisors it tries in each, from 2 to the last.
struct Lines {
  Lines(int count, const Switches& on) : n(count) {
    while ((root + 1) * (root + 1) <= n)
      ++root;
    last_area = on[Part::kLargerAreas] && root * root != n ? (root + 1) * (root + 1) : n;
    last = on[Part::kRootSide] ? root : n;
  }

  bool Examines(int area) const { return area >= n && area <= last_area; }
  bool Tries(int i) const { return i >= 2 && i <= last; }

  // Each divisor i the run tries that divides an area, with its area: those up to RootSide found
  // by their multiples, those above it by their partners j = A : i, all at most SquareSide.
  template <typename Visit>
  void EachDivision(Visit visit) const {
    for (int i = 2; i <= std::min(root, last); ++i) {
      for (int area = (n + i - 1) / i * i; area <= last_area; area += i)
        visit(area, i);
    }
    for (int j = 1; j <= root + 1; ++j) {
      for (int area = (n + j - 1) / j * j; area <= last_area; area += j) {
        const int i = area / j;
        if (i > root && Tries(i)) visit(area, i);
      }
    }
  }

  // A remainder for every i tried in every area, a quotient for each that divides it.
  Work Counted() const {
    Work work{int64_t{last_area - n + 1} * std::max(last - 1, 0), 0};
    EachDivision([&](int, int) { ++work.quotients; });
    return work;
  }

  int n;
  int root = 0;
  int last_area;
  int last;
};

// The areas the search itself examines for N and whether it reaches the closing square, from its
// own steps.
struct Watched final : search::StepObserver {
  void Started() override {}
  void Stepped(const search::Step& step) override {
    if (step.kind == search::StepKind::kScan) areas.push_back(step.area);
    closing = closing || step.kind == search::StepKind::kClosingFrame;
  }
  void Stopped(const runtime::RuntimeError&, const search::Step&) override {}
  std::vector<int> areas;
  bool closing = false;
};

// The changed program's run for N and the program as written's.
struct Runs {
  lessons::change::Run changed;
  lessons::change::Run written;
};

// Whether a claim holds of the changed program's run for its N; a message where it does not.
std::string Check(const Claim& claim, const Switches& on, const Runs& runs) {
  const lessons::change::Run& run = runs.changed;
  const Lines lines(claim.count, on);
  const int n = claim.count;
  const Row strip = Rectangle(1, n);
  const Row closing = Rectangle(lines.root + 1, lines.root + 1);
  switch (claim.kind) {
    case Kind::kRootSide:
      if (claim.side != lines.root) return "RootSide";
      return "";
    case Kind::kPerfectSquare: {
      if (claim.side * claim.side != n) return "not a perfect square";
      Watched watched;
      lessons::practice::OwnRows(n, &watched);
      if (watched.areas != std::vector<int>{n} || watched.closing) return "the run goes on";
      return "";
    }
    case Kind::kStrip:
      if (claim.row != strip || run.rows.front() != strip) return "the strip";
      return "";
    case Kind::kClosingSquare:
      if (lines.root * lines.root == n || claim.side != lines.root + 1 || claim.row != closing)
        return "the closing square";
      if (run.Answer() > closing.frame) return "the square's frame is smaller than the answer";
      return "";
    case Kind::kRectangle: {
      const Row& row = claim.row;
      if (!lines.Examines(claim.area) || !lines.Tries(row.across)) return "not tried";
      if (claim.area % row.across != 0 || row != Rectangle(row.across, claim.area / row.across))
        return "not its rectangle";
      if (claim.like.frame != row.frame) return "another frame";
      switch (claim.how) {
        case Like::kEarlierDivisor:
          if (claim.like != Rectangle(row.down, row.across) || !lines.Tries(row.down) ||
              row.down >= row.across)
            return "not met before";
          return "";
        case Like::kStrip:
          return claim.like == strip ? "" : "not the strip";
        case Like::kClosingSquare:
          return lines.root * lines.root != n && claim.like == closing ? "" : "not the square";
        case Like::kNone:
          return "compared with nothing";
      }
      return "";
    }
    case Kind::kOnlyThese: {
      std::string wrong;
      lines.EachDivision([&](int area, int i) {
        const int j = area / i;
        if (i <= lines.root || !wrong.empty()) return;
        const bool reversed = j >= 2 && j < i;
        const bool strip_reversed = j == 1 && area == n;
        const bool square = i == j && i == lines.root + 1;
        if (!reversed && !strip_reversed && !square)
          wrong = std::to_string(i) + " in " + std::to_string(area);
      });
      return wrong;
    }
    case Kind::kWork:
      if (claim.work != lines.Counted()) return "its work";
      if (claim.written != Lines(n, Switches{}).Counted()) return "the work as written";
      return "";
    case Kind::kAnswer:
      if (claim.row != run.rows.back() || claim.row.frame != lessons::change::LeastFrame(n))
        return "the answer";
      return "";
    case Kind::kTies: {
      Switches strict = on;
      strict.on[static_cast<size_t>(Part::kSmaller)] = true;
      const auto rows = Changed(n, strict).rows;
      if (claim.row != run.rows.back() || claim.like != runs.written.rows.back())
        return "the last rows";
      // The run lists the strict run's rows and the ties, each a rectangle it examined with the
      // frame of the row before it.
      std::map<std::pair<int, int>, int> listed;
      for (const Row& row : run.rows)
        ++listed[{row.across, row.down}];
      for (const Row& row : rows)
        --listed[{row.across, row.down}];
      for (const Row& row : claim.rows) {
        --listed[{row.across, row.down}];
        const auto at = std::find(run.rows.begin() + 1, run.rows.end(), row);
        if (at == run.rows.end() || (at - 1)->frame != row.frame) return "not a tie";
      }
      for (const auto& [sides, left] : listed) {
        if (left != 0) return "other rows";
      }
      return "";
    }
  }
  return "unknown";
}

TEST(Why, EveryClaimHoldsForEveryN) {
  const Switches changes[] = {
      Without({Part::kClosingSquare}),
      Without({Part::kRootSide}),
      Without({Part::kSmaller}),
      Without({Part::kClosingSquare, Part::kRootSide}),
      Without({Part::kClosingSquare, Part::kSmaller}),
      Without({Part::kRootSide, Part::kSmaller}),
      Without({Part::kClosingSquare, Part::kRootSide, Part::kSmaller}),
  };
  std::map<Kind, int> checked;
  for (int n = 1; n <= lessons::change::kLargestCount; ++n) {
    const lessons::change::Run written = Changed(n, Switches{});
    for (const Switches& on : changes) {
      const auto reasons = lessons::change::Reasons(n, on);
      ASSERT_EQ(reasons.size(), static_cast<size_t>(std::count(on.on.begin(), on.on.end(), false)));
      const Runs runs{Changed(n, on), written};
      for (const auto& reason : reasons) {
        for (const Claim& claim : reason.claims) {
          const std::string wrong = Check(
              claim, on,
              claim.count == n ? runs
                               : Runs{Changed(claim.count, on), Changed(claim.count, Switches{})});
          ASSERT_EQ(wrong, "") << "N = " << n << ", part " << static_cast<int>(reason.part)
                               << ", claim " << static_cast<int>(claim.kind) << " of "
                               << claim.count;
          ++checked[claim.kind];
        }
      }
    }
  }
  // Each kind of claim made, and checked.
  EXPECT_EQ(checked.size(), 9u);
}

// A change that can go wrong, or none at all, has no reason.
TEST(Why, NoReasonWhereTheChangeCanGoWrongOrNothingChanged) {
  EXPECT_TRUE(lessons::change::Reasons(70, Switches{}).empty());
  EXPECT_TRUE(lessons::change::Reasons(70, Without({Part::kLargerAreas})).empty());
  EXPECT_TRUE(
      lessons::change::Reasons(70, Without({Part::kLargerAreas, Part::kClosingSquare})).empty());
  EXPECT_TRUE(lessons::change::Reasons(0, Without({Part::kClosingSquare})).empty());
}

// The words of each reason for N = 3, 70 and the N where the old words were false: where N is
// RootSide × (RootSide + 2), and where a divisor above RootSide gives the square.
TEST(Why, TheWordsSayWhatTheClaimsHold) {
  const struct {
    Part part;
    int n;
    const char* said;
  } cases[] = {
      {Part::kClosingSquare, 3,
       "Без затварящия квадрат: за 3 RootSide (цялата част на √3) е 1 и лентата 1 × 3 има рамка "
       "12, колкото затварящият квадрат 2 × 2 – 12, затова квадратът не дава по-малка рамка от "
       "тези, които програмата вече е намерила."},
      {Part::kClosingSquare, 2,
       "Без затварящия квадрат: за 2 RootSide (цялата част на √2) е 1 и лентата 1 × 2 има рамка "
       "10, а затварящият квадрат 2 × 2 – 12, затова квадратът не дава по-малка рамка от тези, "
       "които програмата вече е намерила."},
      {Part::kClosingSquare, 35,
       "Без затварящия квадрат: за 35 RootSide (цялата част на √35) е 5, а 35 = 5 × 7: още в "
       "площта 35 делителят 5 дава 5 × 7 с рамка 2 × 5 + 2 × 7 + 4 = 28, колкото затварящият "
       "квадрат 6 × 6, затова квадратът не дава по-малка рамка от тези, които програмата вече е "
       "намерила."},
      {Part::kClosingSquare, 70,
       "Без затварящия квадрат: за 70 RootSide (цялата част на √70) е 8, а 8 × 10 = 80 = 9 × 9 − 1 "
       "побира всички 70 букви. Площта 80 е сред по-големите площи, които програмата разглежда, и "
       "в нея делителят 8 дава 8 × 10 с рамка 2 × 8 + 2 × 10 + 4 = 40, колкото затварящият "
       "квадрат 9 × 9, затова квадратът не дава по-малка рамка от тези, които програмата вече е "
       "намерила."},
      {Part::kClosingSquare, 64,
       "Без затварящия квадрат: 64 = 8 × 8 е точен квадрат, затова програмата свършва след площта "
       "64 и до затварящия квадрат не стига."},
      {Part::kRootSide, 3,
       "С делителите до N: за 3 RootSide е 1, а тази програма пробва и делителите от 2 до 3. "
       "Всеки от тях, който дели площта, дава обърнат правоъгълник, който програмата вече е "
       "срещнала: 3 × 1 е лентата 1 × 3, освен квадрата 2 × 2 в площта 4, чиято рамка 12 е колкото "
       "на затварящия квадрат. Рамките са същите, затова отговорът е пак 12, но работата расте: "
       "за 3 – 6 деления вместо 0."},
      {Part::kRootSide, 70,
       "С делителите до N: за 70 RootSide е 8, а тази програма пробва и делителите от 9 до 70. "
       "Всеки от тях, който дели площта, дава обърнат правоъгълник, който програмата вече е "
       "срещнала: 10 × 7 в площта 70 е 7 × 10 от делителя 7 и 70 × 1 е лентата 1 × 70, освен "
       "квадрата 9 × 9 в площта 81, чиято рамка 40 е колкото на затварящия квадрат. Рамките са "
       "същите, затова отговорът е пак 38, но работата расте: за 70 – 874 деления вместо 106."},
      {Part::kRootSide, 2,
       "С делителите до N: за 2 RootSide е 1, а тази програма пробва и делителя 2. Той, щом дели "
       "площта, дава обърнат правоъгълник, който програмата вече е срещнала: 2 × 1 е лентата "
       "1 × 2, освен квадрата 2 × 2 в площта 4, чиято рамка 12 е колкото на затварящия квадрат. "
       "Рамките са същите, затова отговорът е пак 10, но работата расте: за 2 – 5 деления вместо "
       "0."},
      {Part::kRootSide, 1,
       "С делителите до N: за 1 RootSide е 1, а делители от 2 до 1 няма, затова и двете програми "
       "не правят нито едно деление. За 70 обаче тази програма прави 874 деления вместо 106: "
       "отговорът е същият, 38, но работата расте."},
      {Part::kSmaller, 3,
       "С редовете при равна рамка: ред с рамка, равна на BestFrame (най-малката рамка досега), "
       "не я прави по-малка, затова най-малката рамка не се променя – могат да се променят само "
       "редовете. За 3 тази промяна не добавя нито един ред и програмата завършва пак с 2 × 2, "
       "рамка 12."},
      {Part::kSmaller, 70,
       "С редовете при равна рамка: ред с рамка, равна на BestFrame (най-малката рамка досега), "
       "не я прави по-малка, затова най-малката рамка не се променя – могат да се променят само "
       "редовете. За 70 тази програма записва и 8 × 9 и завършва с 8 × 9, рамка 38, вместо с "
       "7 × 10, рамка 38."},
      {Part::kSmaller, 7,
       "С редовете при равна рамка: ред с рамка, равна на BestFrame (най-малката рамка досега), "
       "не я прави по-малка, затова най-малката рамка не се променя – могат да се променят само "
       "редовете. За 7 тази промяна не добавя нито един ред и програмата завършва пак с 3 × 3, "
       "рамка 16."},
  };
  for (const auto& c : cases) {
    const auto reasons = lessons::change::Reasons(c.n, Without({c.part}));
    ASSERT_EQ(reasons.size(), 1u);
    EXPECT_EQ(Spaced(lessons::change::Words(reasons[0])), c.said) << c.n;
  }
  // Many ties are counted, and a few named.
  const auto many = lessons::change::Reasons(13809, Without({Part::kRootSide, Part::kSmaller}));
  ASSERT_EQ(many.size(), 2u);
  EXPECT_NE(Spaced(lessons::change::Words(many[1])).find("записва и още 27 реда с равна рамка – "),
            std::string::npos);
}

}  // namespace

#include "desktop/change_page.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "desktop/chart_canvas.h"
#include "desktop/labels.h"
#include "desktop/number_box.h"
#include "lessons/practice.h"
#include "lessons/steps.h"

namespace desktop {

namespace change = lessons::change;

namespace {

// The page's sentences stand at the top of the room they get.
constexpr Qt::Alignment kTop = Qt::AlignLeft | Qt::AlignTop;

}  // namespace

ChangePage::ChangePage(change::Change& change, QWidget* parent)
    : QWidget(parent),
      change_(change),
      scroll_(new QScrollArea(this)),
      content_(new QWidget(scroll_)),
      count_(new NumberBox([this](const QString& text) { change_.Type(text.toStdString()); },
                           [this](int steps) { change_.Step(steps); }, content_)),
      count_note_(new QLabel(content_)),
      legend_(Wrapping(content_, kTop)),
      table_(new QTableWidget(static_cast<int>(change::kProgramNames.size()),
                              static_cast<int>(change::kTableHeadings.size()), content_)),
      chart_(new ChartCanvas(change::kWorkLabel, content_)),
      chart_sentence_(Wrapping(content_, kTop)),
      hunt_heading_(Heading(change::kHuntLabel, content_)),
      hunt_task_(Wrapping(content_, kTop)),
      guess_label_(new QLabel(Text(change::kGuessLabel), content_)),
      guess_(new QLineEdit(content_)),
      said_(Wrapping(content_, kTop)) {
  QWidget* const in = content_;
  // N, which every program runs for.
  auto* count_label = new QLabel(Text(change::kCountLabel), in);
  count_label->setBuddy(count_);
  count_->setAccessibleName(Text(change::kCountLabel));
  count_->setFixedWidth(96);
  auto* top = new QHBoxLayout;
  top->addWidget(Heading(change::kProgramLabel, in));
  top->addSpacing(24);
  top->addWidget(count_label);
  top->addWidget(count_);
  top->addWidget(count_note_, 1);

  // The program, a line a row, and each switch beside the line it changes.
  auto* program = new QGridLayout;
  program->setVerticalSpacing(0);
  program->setHorizontalSpacing(12);
  for (size_t at = 0; at < lessons::steps::ProgramLines().size(); ++at) {
    auto* label = new QLabel(in);
    label->setTextFormat(Qt::PlainText);
    program->addWidget(label, static_cast<int>(at), 0, Qt::AlignTop);
    lines_.push_back(label);
  }
  for (size_t part = 0; part < switches_.size(); ++part) {
    auto* box = new QCheckBox(Text(change::kPartNames[part]), in);
    connect(box, &QCheckBox::toggled, this,
            [this, part](bool on) { change_.Set(static_cast<change::Part>(part), on); });
    program->addWidget(box, change::kPartLines[part] - 1, 1, Qt::AlignTop);
    switches_[part] = box;
  }
  // The program keeps its lines whole; the table and the chart below take what room is left.
  for (QLabel* label : lines_)
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  for (QCheckBox* box : switches_)
    box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  program->setColumnStretch(0, 1);

  // The names of the program, each with its meaning, in a paragraph under it: plain text, which
  // lays out again at once as N changes it.
  legend_->setTextFormat(Qt::PlainText);

  // The two other programs, in their few lines.
  auto* others = Wrapping(in, kTop);
  others->setTextFormat(Qt::PlainText);
  QString others_text = Text(change::kProgramNames[2]) + ":";
  for (const char* line : change::kEverySideLines)
    others_text += "\n  " + Text(line);
  others_text += "\n" + Text(change::kProgramNames[3]) + ":";
  for (const char* line : change::kFormulaLines)
    others_text += "\n  " + Text(line);
  others->setText(others_text);
  others->setMinimumWidth(120);  // wrapping where the window is narrow

  // The hunt for an N where the changed program goes wrong.
  guess_label_->setBuddy(guess_);
  guess_->setAccessibleName(Text(change::kGuessLabel));
  guess_->setMaxLength(lessons::practice::kBoxLength);
  guess_->setFixedWidth(96);
  guess_->installEventFilter(this);
  connect(guess_, &QLineEdit::textEdited, this,
          [this](const QString& text) { change_.TypeGuess(text.toStdString()); });
  // Its heading, its box and its buttons on one line, its task and what it says under them.
  auto* hunt = new QGridLayout;
  hunt->addWidget(hunt_heading_, 0, 0);
  hunt->setColumnMinimumWidth(1, 8);
  hunt->addWidget(guess_label_, 0, 2);
  hunt->addWidget(guess_, 0, 3);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    auto* button = new QPushButton(Text(change::kButtonNames[i]), in);
    button->setAutoDefault(false);
    const auto pressed = static_cast<change::Button>(i);
    connect(button, &QPushButton::clicked, this, [this, pressed] { change_.Press(pressed); });
    hunt->addWidget(button, 0, static_cast<int>(i) + 4);
    buttons_[i] = button;
  }
  hunt->setColumnStretch(static_cast<int>(buttons_.size()) + 4, 1);
  said_->setFrameShape(QFrame::StyledPanel);
  said_->setMinimumHeight(fontMetrics().height() + 8);

  // The table of the four programs for N.
  table_->setAccessibleName(Text(change::kTableLabel));
  QStringList headings;
  for (const char* heading : change::kTableHeadings)
    headings << Text(heading);
  table_->setHorizontalHeaderLabels(headings);
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->setTabKeyNavigation(false);  // Tab goes on to the next control
  table_->setWordWrap(true);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The names, the verdicts and the rows wrap in columns of their own widths; the answer and the
  // divisions keep to their numbers.
  QHeaderView* header = table_->horizontalHeader();
  const QFontMetrics metrics(table_->font());
  int names = 0;
  for (const char* name : change::kProgramNames)
    names = std::max(names, metrics.horizontalAdvance(Text(name)));
  const int widths[] = {names + 20, 0,
                        metrics.horizontalAdvance(QStringLiteral("16 – грешно:")) + 12,
                        metrics.horizontalAdvance(QStringLiteral("деления")) + 12};
  for (int column = 0; column < 4; ++column) {
    header->setSectionResizeMode(column, column == 1 ? QHeaderView::Stretch : QHeaderView::Fixed);
    if (column != 1) header->resizeSection(column, widths[column]);
  }
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  // The table as tall as its rows, which wrap where a long run's rows do; the page scrolls where
  // the window has not the room.
  table_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->installEventFilter(this);

  // Above, N and the program with its switches, the other two programs beside them, and the
  // legend under them; below, the table and the hunt, the chart beside them.
  auto* changed = new QVBoxLayout;
  changed->addLayout(top);
  changed->addLayout(program);
  changed->addStretch(1);
  auto* other = new QVBoxLayout;
  QLabel* others_heading = Heading(change::kOthersLabel, in);
  others_heading->setWordWrap(true);
  other->addWidget(others_heading);
  other->addWidget(others);
  other->addStretch(1);
  auto* above = new QHBoxLayout;
  above->addLayout(changed);
  above->addSpacing(12);
  above->addLayout(other, 1);
  auto* table = new QVBoxLayout;
  table->addWidget(Heading(change::kTableLabel, in));
  table->addWidget(table_);
  table->addLayout(hunt);
  table->addWidget(hunt_task_);
  table->addWidget(said_);
  table->addStretch(1);
  table->setSpacing(3);
  auto* work = new QVBoxLayout;
  work->addWidget(Heading(change::kWorkLabel, in));
  work->addWidget(chart_, 1);
  work->addWidget(chart_sentence_);
  chart_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  chart_->setMinimumHeight(140);
  auto* below = new QHBoxLayout;
  below->addLayout(table, 3);
  below->addSpacing(12);
  below->addLayout(work, 2);
  auto* page = new QVBoxLayout(in);
  page->addLayout(above);
  page->addWidget(legend_);
  page->addLayout(below, 1);

  // The page scrolls up and down where the window is smaller than it, never sideways, and shows
  // the control the keyboard reaches.
  scroll_->setWidget(content_);
  scroll_->setWidgetResizable(true);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setFocusPolicy(Qt::NoFocus);
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll_->viewport()->setAutoFillBackground(false);
  content_->setAutoFillBackground(false);
  auto* whole = new QVBoxLayout(this);
  whole->setContentsMargins(0, 0, 0, 0);
  whole->addWidget(scroll_);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now != nullptr && content_->isAncestorOf(now)) scroll_->ensureWidgetVisible(now, 8, 8);
  });

  // The keyboard follows the page: N, the switches from the top down, the hunt.
  QWidget* previous = count_;
  std::array<size_t, change::kParts> down{};
  for (size_t part = 0; part < down.size(); ++part)
    down[part] = part;
  std::sort(down.begin(), down.end(),
            [](size_t a, size_t b) { return change::kPartLines[a] < change::kPartLines[b]; });
  for (const size_t part : down) {
    setTabOrder(previous, switches_[part]);
    previous = switches_[part];
  }
  setTabOrder(previous, guess_);
  previous = guess_;
  for (QPushButton* button : buttons_) {
    setTabOrder(previous, button);
    previous = button;
  }
  setTabOrder(previous, table_);
  Refresh();
}

void ChangePage::TakeFocus() {
  count_->setFocus();
}

void ChangePage::Refresh() {
  count_->Show(Text(change_.Typed()));
  count_note_->setText(Text(change_.CountNote()));

  for (const change::Line& line : change_.Lines()) {
    QLabel* label = lines_[static_cast<size_t>(line.number - 1)];
    label->setText(QStringLiteral("%1  %2").arg(line.number, 2).arg(Text(line.text)));
    QFont font = label->font();
    font.setStrikeOut(line.removed);
    font.setBold(line.changed);
    label->setFont(font);
    label->setForegroundRole(line.removed ? QPalette::PlaceholderText : QPalette::WindowText);
    label->setAccessibleName(Text(line.said));
  }
  for (size_t part = 0; part < switches_.size(); ++part) {
    const QSignalBlocker blocker(switches_[part]);
    switches_[part]->setChecked(change_.On(static_cast<change::Part>(part)));
  }
  QString legend;
  for (const change::Term& term : change_.Legend())
    legend += (legend.isEmpty() ? "" : " ") + Text(term.name) + " – " + Text(term.meaning);
  legend_->setText(legend);
  legend_->setAccessibleName(legend);

  const std::vector<change::TableRow> rows = change_.Table();
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    const change::TableRow& each = rows[static_cast<size_t>(row)];
    const std::string cells[] = {each.program, each.rows, each.answer, each.divisions};
    for (int column = 0; column < 4; ++column) {
      QTableWidgetItem* item = table_->item(row, column);
      if (item == nullptr) table_->setItem(row, column, item = new QTableWidgetItem);
      item->setText(Text(cells[column]));
      item->setForeground(each.wrong && column == 2 ? QColor(0xB0, 0x00, 0x00)
                                                    : palette().color(QPalette::Text));
    }
  }
  table_->setAccessibleDescription(Text(change_.TableSaid()));
  FitTable();
  const change::WorkChart work = change_.Chart();
  chart_->SetScene([work](int width, int height) { return change::Paint(work, width, height); },
                   work.Description());
  chart_sentence_->setText(Text(work.Sentence()));

  hunt_heading_->setText(Text(change_.HuntHeading()));
  hunt_task_->setText(Text(change_.HuntTask()));
  const bool hunting = change_.Hunting();
  guess_label_->setVisible(hunting);
  guess_->setVisible(hunting);
  if (guess_->text() != Text(change_.Guess())) guess_->setText(Text(change_.Guess()));
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const auto button = static_cast<change::Button>(i);
    const bool shown = button == change::Button::kWhy ? change_.Enabled(button) : hunting;
    buttons_[i]->setVisible(shown);
    buttons_[i]->setEnabled(change_.Enabled(button));
  }
  // A screen reader hears what the hunt says when it says it, and nothing once it is gone.
  const QString said = Text(change_.Said());
  said_->setText(said);
  said_->setVisible(!said.isEmpty());
  if (change_.Sayings() != read_sayings_ || said.isEmpty()) {
    // Once laid out anew, what the hunt says stands in view.
    if (!said.isEmpty())
      QTimer::singleShot(0, this, [this] { scroll_->ensureWidgetVisible(said_, 8, 8); });
    if (said_->accessibleName() == said && !said.isEmpty()) {
      QAccessibleEvent event(said_, QAccessible::NameChanged);
      QAccessible::updateAccessibility(&event);
    }
    said_->setAccessibleName(said);
  }
  read_sayings_ = change_.Sayings();
}

// The table's height: its heading and its rows, as wrapped at its width.
void ChangePage::FitTable() {
  table_->resizeRowsToContents();
  int height = table_->horizontalHeader()->height() + 2 * table_->frameWidth();
  for (int row = 0; row < table_->rowCount(); ++row)
    height += table_->rowHeight(row);
  if (table_->height() != height) table_->setFixedHeight(height);
}

// Enter in the box of the hunt checks the pupil's N; the table fits its rows to a new width.
bool ChangePage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && event->type() == QEvent::Resize) FitTable();
  if (watched == guess_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      change_.Press(change::Button::kCheck);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace desktop

#include "desktop/view.h"

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyleFactory>
#include <QTranslator>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "desktop/error_box.h"
#include "desktop/picture_window.h"
#include "desktop/text_keeper.h"
#include "lessons/picture.h"
#include "lessons/placement.h"
#include "window/layout.h"

namespace desktop {

using window::Form;
using window::String;
namespace layout = window::layout;

namespace {

QString ToQString(const String& text) {
  return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

QColor ToQColor(layout::Rgb rgb) {
  return {rgb.red, rgb.green, rgb.blue};
}

QFont WindowFont() {
  // Liberation Serif has the metrics of Times New Roman and its Cyrillic letters. Naming only a
  // family that is installed spares the font database a search for fallbacks at start-up.
  const QString family = QString::fromUtf8(layout::kFontFamily);
  QFont font(QFontDatabase::hasFamily(family) ? family : QStringLiteral("Liberation Serif"));
  font.setStyleHint(QFont::Serif);
  font.setPointSize(layout::kFontPoints);
  return font;
}

// Paints a widget's background in `colour`: the whole rectangle, and for a button its face.
void Colour(QWidget* widget, layout::Rgb colour) {
  QPalette palette = widget->palette();
  palette.setColor(widget->backgroundRole(), ToQColor(colour));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QWidget* Create(const layout::Control& control, QWidget* parent) {
  const QString text = QString::fromUtf8(control.text);
  switch (control.kind) {
    case layout::Kind::kNote: {
      auto* note = new QPlainTextEdit(parent);
      note->setReadOnly(true);
      note->setTabChangesFocus(true);
      note->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      note->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
      return note;
    }
    case layout::Kind::kTitle:
    case layout::Kind::kLabel: {
      auto* label = new QLabel(text, parent);
      label->setAlignment(Qt::AlignCenter);
      return label;
    }
    case layout::Kind::kTextBox:
      return new QLineEdit(parent);
    case layout::Kind::kList:
      return new QListWidget(parent);
    case layout::Kind::kButton:
    case layout::Kind::kPicture: {
      auto* button = new QPushButton(text, parent);
      button->setAutoDefault(false);  // Enter presses no button
      button->setDefault(false);
      return button;
    }
    case layout::Kind::kFrame:
      return new QGroupBox(text, parent);
    case layout::Kind::kOption:
      return new QRadioButton(text, parent);
  }
  return nullptr;
}

// The Fusion style's own light palette, every role of every group set, so that nothing of a
// desktop's dark colour scheme shows through. (The style's standardPalette() is the desktop's.)
QPalette LightPalette() {
  const QColor window(0xEF, 0xEF, 0xEF);
  const QColor mid = window.darker(130);
  QPalette palette(Qt::black, window, window.lighter(150), window.darker(150), mid, Qt::black,
                   Qt::white);
  palette.setColor(QPalette::Midlight, mid.lighter(110));
  palette.setColor(QPalette::Shadow, window.darker(150).darker(135));
  palette.setColor(QPalette::Highlight, QColor(0x30, 0x8C, 0xC6));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::Link, Qt::blue);
  palette.setColor(QPalette::LinkVisited, Qt::magenta);
  palette.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
  const QColor disabled_text(0xBE, 0xBE, 0xBE);
  for (const QPalette::ColorRole role :
       {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Disabled, role, disabled_text);
  }
  palette.setColor(QPalette::Disabled, QPalette::Base, window);
  palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0x91, 0x91, 0x91));
  return palette;
}

}  // namespace

void SetUpApplication() {
  // Fusion draws buttons in their palette colour on every platform.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  // The window's design fixes light backgrounds and counts on dark text everywhere else, so it
  // keeps the style's own light palette whatever colour scheme the desktop asks for: its
  // controls, the error box and the context menus alike.
  QApplication::setPalette(LightPalette());
  // Qt's own texts, such as the boxes' context menus and the error box's button, in Bulgarian
  // whatever the system's locale.
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(QStringLiteral("qtbase_bg"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  }
  QApplication::setApplicationName(QStringLiteral("ramka"));
  // Names the desktop file, so that a Wayland compositor shows the window with its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(RAMKA_APP_ID));
  QApplication::setApplicationDisplayName(QString::fromUtf8(layout::kCaption));
  QApplication::setApplicationVersion(QStringLiteral(RAMKA_VERSION));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/ramka.png")));
}

FormView::FormView(Form& form, lessons::Lessons& lessons, QWidget* parent)
    : QWidget(parent), form_(form), lessons_(lessons), keeper_(std::make_unique<TextKeeper>()) {
  Build();
  BuildMenu();
  Bind();
  keeper_->RestoreInto(lessons_.write);
  lessons_.write.SetKeeper(keeper_.get());
  form_.SetObserver(this);
  lessons_.steps.SetObserver(this);
  lessons_.practice.SetObserver(this);
  lessons_.change.SetObserver(this);
  lessons_.write.SetObserver(this);
}

FormView::~FormView() {
  form_.SetObserver(nullptr);
  lessons_.steps.SetObserver(nullptr);
  lessons_.practice.SetObserver(nullptr);
  lessons_.change.SetObserver(nullptr);
  lessons_.write.SetObserver(nullptr);
  lessons_.write.SetKeeper(nullptr);
}

QAction* FormView::Action(lessons::menu::Command command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : found->second;
}

QWidget* FormView::Control(const std::string& name, int index) const {
  const auto found = controls_.find({name, index});
  return found == controls_.end() ? nullptr : found->second;
}

// Creates every control of the layout table in one pass, in the order the table gives, in the
// client area under the menu bar; the frame comes before the options it holds.
void FormView::Build() {
  setWindowTitle(QString::fromUtf8(layout::kCaption));
  setFont(WindowFont());
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  Colour(client_, layout::kBackground);
  client_->setFixedSize(layout::Pixels(layout::kClientWidth),
                        layout::Pixels(layout::kClientHeight));
  menu_bar_ = new QMenuBar(this);
  menu_bar_->setAccessibleName(QString::fromUtf8(lessons::menu::kBarName));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->setSizeConstraint(QLayout::SetFixedSize);  // the client area's size, and the bar's height
  column->setMenuBar(menu_bar_);
  column->addWidget(client_);

  const layout::Control* frame = nullptr;
  std::vector<std::pair<int, QWidget*>> tab_order;
  for (const layout::Control& control : layout::kControls) {
    const bool in_frame = control.kind == layout::Kind::kOption;
    QWidget* parent = in_frame ? Control(frame->name, frame->index) : client_;
    QWidget* widget = Create(control, parent);
    const layout::PixelRect rect = layout::InParent(control, frame);
    widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
    if (control.colour) Colour(widget, *control.colour);
    widget->setAccessibleName(QString::fromUtf8(
        control.accessible_name != nullptr ? control.accessible_name : control.text));
    widget->setObjectName(QStringLiteral("%1(%2)").arg(control.name).arg(control.index));
    widget->setVisible(!control.hidden);
    if (widget->focusPolicy() & Qt::TabFocus) tab_order.emplace_back(control.tab, widget);
    controls_[{control.name, control.index}] = widget;
    if (control.kind == layout::Kind::kFrame) frame = &control;
  }

  std::stable_sort(tab_order.begin(), tab_order.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 1; i < tab_order.size(); ++i) {
    setTabOrder(tab_order[i - 1].second, tab_order[i].second);
  }

  for (int i = 0; i < 2; ++i) {
    text2_[i] = static_cast<QLineEdit*>(Control("Text2", i));
    option1_[i] = static_cast<QRadioButton*>(Control("Option1", i));
    command1_[i] = static_cast<QPushButton*>(Control("Command1", i));
  }
  for (int i = 0; i < 3; ++i)
    list1_[i] = static_cast<QListWidget*>(Control("List1", i));
}

// The menu bar from the core's table: each item with its mnemonic and shortcut key.
void FormView::BuildMenu() {
  for (const lessons::menu::Menu& each : lessons::menu::kMenus) {
    QMenu* menu = menu_bar_->addMenu(QString::fromUtf8(each.text));
    for (int i = 0; i < each.count; ++i) {
      const lessons::menu::Item& item = each.items[static_cast<size_t>(i)];
      QAction* action = menu->addAction(QString::fromUtf8(item.text));
      action->setShortcut(QKeySequence(Qt::Key_F1 + item.function_key - 1));
      const lessons::menu::Command command = item.command;
      connect(action, &QAction::triggered, this, [this, command] { Do(command); });
      actions_[command] = action;
    }
  }
  ShowMenuState();
}

// Turns what a user does with a widget into the form's user-side action. The widget's signals
// are blocked while it mirrors the form, so that whatever they report comes from the user.
void FormView::Bind() {
  for (int i = 0; i < 2; ++i) {
    QLineEdit* box = text2_[i];
    connect(box, &QLineEdit::textChanged, this, [this, box, i](const QString& proposed) {
      const int caret = form_.UserEdit(i, proposed.toStdU32String());
      const String& kept = form_.Text2[i].Text();
      const QString text = ToQString(kept);
      if (text != proposed) {  // the form cut the edit to fit: show what it kept
        const QSignalBlocker blocker(box);
        box->setText(text);
        box->setCursorPosition(static_cast<int>(QString::fromUcs4(kept.data(), caret).size()));
      }
    });
    TextChanged(i);
    EnabledChanged(i);

    connect(option1_[i], &QRadioButton::toggled, this, [this, i](bool checked) {
      if (!checked) return;  // the option the user chose follows
      form_.UserChoose(i);
      ShowOptions();  // the form decides, whatever the widget did
    });
    connect(command1_[i], &QPushButton::clicked, this, [this, i] { form_.UserClick(i); });
  }
  ShowOptions();

  for (int i = 0; i < 3; ++i) {
    QListWidget* list = list1_[i];
    connect(list, &QListWidget::itemSelectionChanged, this, [this, list, i] {
      const QList<QListWidgetItem*> selected = list->selectedItems();
      if (!selected.isEmpty()) form_.UserSelect(i, list->row(selected.front()));
      ShowSelection(i);
    });
    // A double-click on a row, or Enter on the selected one, shows its picture.
    list->setToolTip(QString::fromUtf8(lessons::steps::kListHint));
    connect(list, &QListWidget::activated, this, [this, i] {
      if (form_.List1[i].ListIndex() >= 0) OpenPicture();
    });
  }
}

// Makes the lessons' window, once, and places it where it fits on this window's screen: beside
// it where there is room, else over part of it, never off the screen.
void FormView::OpenLessons() {
  if (picture_ == nullptr) picture_ = new PictureWindow(form_, lessons_, this);
  picture_->Refresh();
  if (picture_->isVisible()) return;
  const QRect outer = frameGeometry();
  const QRect inner = geometry();
  // The picture window's frame is this one's, which the window system has drawn by now.
  const int frame_width = outer.width() - inner.width();
  const int frame_height = outer.height() - inner.height();
  const QSize wanted(lessons::placement::kWidth, lessons::placement::kHeight);
  const QRect work =
      (screen() != nullptr ? screen() : QGuiApplication::primaryScreen())->availableGeometry();
  const layout::PixelRect placed = lessons::placement::Beside(
      {outer.x(), outer.y(), outer.width(), outer.height()}, wanted.width() + frame_width,
      wanted.height() + frame_height, {work.x(), work.y(), work.width(), work.height()}, 8);
  picture_->resize(placed.width - frame_width, placed.height - frame_height);
  picture_->move(placed.x, placed.y);
}

void FormView::OpenPicture() {
  OpenLessons();
  // Shown without activation; where the window system activates it all the same, the form takes
  // the activation back, so that the arrows still move through the rows.
  const bool active = isActiveWindow();
  picture_->ShowPage(0, false);
  picture_->show();
  picture_->raise();
  if (active) activateWindow();
}

void FormView::Do(lessons::menu::Command command) {
  if (!lessons::menu::Enabled(command, form_)) return;
  const int page = lessons::menu::PageOf(command);
  if (page < 0) {
    QMessageBox::about(this, QString::fromUtf8(lessons::menu::kAboutTitle),
                       QString::fromUtf8(lessons::menu::AboutText()));
  } else if (!lessons::menu::Activates(command)) {
    OpenPicture();
  } else {
    OpenLessons();
    picture_->show();
    picture_->raise();
    picture_->activateWindow();
    picture_->ShowPage(page, true);
  }
}

void FormView::ShowMenuState() {
  for (const auto& [command, action] : actions_)
    action->setEnabled(lessons::menu::Enabled(command, form_));
}

void FormView::RefreshPicture() {
  if (picture_ != nullptr && picture_->isVisible()) picture_->Refresh();
}

// Escape presses no button of the form; it closes the picture, if one is open.
void FormView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && picture_ != nullptr && picture_->isVisible()) {
    picture_->close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void FormView::closeEvent(QCloseEvent* event) {
  if (picture_ != nullptr) picture_->close();
  QWidget::closeEvent(event);
}

void FormView::TextChanged(int box) {
  RefreshPicture();  // the letters may now be numbered, or the mantra's
  const QString text = ToQString(form_.Text2[box].Text());
  if (text2_[box]->text() == text) return;
  const QSignalBlocker blocker(text2_[box]);
  text2_[box]->setText(text);
}

void FormView::EnabledChanged(int box) {
  text2_[box]->setEnabled(form_.Text2[box].Enabled());
}

void FormView::ValueChanged(int /*option*/) {
  ShowOptions();
  RefreshPicture();
}

// Each option shows the form's value. The selected one alone takes the focus from Tab, so that
// Tab and Shift+Tab enter the group there; the arrows still move between the two.
void FormView::ShowOptions() {
  for (int i = 0; i < 2; ++i) {
    QRadioButton* option = option1_[i];
    option->setFocusPolicy(form_.Option1[i].Value() ? Qt::StrongFocus : Qt::ClickFocus);
    if (option->isChecked() == form_.Option1[i].Value()) continue;
    const QSignalBlocker blocker(option);
    option->setAutoExclusive(false);  // so that the form alone decides which one is selected
    option->setChecked(form_.Option1[i].Value());
    option->setAutoExclusive(true);
  }
}

void FormView::ListCleared(int list) {
  const QSignalBlocker blocker(list1_[list]);
  list1_[list]->clear();
  RefreshPicture();
  ShowMenuState();
}

void FormView::ItemAdded(int list) {
  const QSignalBlocker blocker(list1_[list]);
  list1_[list]->addItem(ToQString(form_.List1[list].Items().back()));
}

void FormView::ListIndexChanged(int list) {
  ShowSelection(list);
  RefreshPicture();
  ShowMenuState();
}

void FormView::ShowSelection(int list) {
  QListWidget* widget = list1_[list];
  const int row = form_.List1[list].ListIndex();
  const QList<QListWidgetItem*> selected = widget->selectedItems();
  if (widget->currentRow() == row && selected.size() == (row >= 0 ? 1 : 0)) return;
  const QSignalBlocker blocker(widget);
  if (row < 0) {
    widget->clearSelection();
    widget->setCurrentRow(-1);
  } else {
    widget->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
  }
}

void FormView::StepsChanged() {
  if (picture_ != nullptr) picture_->RefreshSteps();
}

void FormView::PracticeChanged() {
  if (picture_ != nullptr) picture_->RefreshPractice();
}

void FormView::ChangeChanged() {
  if (picture_ != nullptr) picture_->RefreshChange();
}

void FormView::WriteChanged() {
  if (picture_ != nullptr) picture_->RefreshWrite();
}

void FormView::ErrorReported(const runtime::RuntimeError& error) {
  ShowErrorBox(this, error);
}

}  // namespace desktop

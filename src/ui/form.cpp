#include "ui/form.hpp"

#include <QBoxLayout>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace orvane::ui {
namespace {

const QColor kResultColour(255, 255, 99);   // light yellow
const QColor kSummaryColour(66, 204, 255);  // light blue

int widthForDigits(const QWidget* field, int digits) {
  const QFontMetrics metrics(field->font());
  const int text = metrics.horizontalAdvance(QString(digits, QLatin1Char('0')));
  if (const auto* edit = qobject_cast<const QLineEdit*>(field)) {
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    const QMargins margins = edit->textMargins();
    // The line edit's own text margin of two pixels on each side, as Qt lays it out.
    const QSize contents(text + margins.left() + margins.right() + 4, metrics.height());
    return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, edit).width();
  }
  // A spin box or picker knows what its text and arrows need.
  return std::max(text, field->sizeHint().width());
}

void applyLook(QLineEdit* field, FieldLook look) {
  if (look == FieldLook::Editable) return;
  QPalette palette = field->palette();
  const QColor background = look == FieldLook::Result    ? kResultColour
                            : look == FieldLook::Summary ? kSummaryColour
                                                         : palette.color(QPalette::Window);
  bool changed = false;
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    if (palette.color(group, QPalette::Base) != background) {
      palette.setColor(group, QPalette::Base, background);
      changed = true;
    }
    // The coloured fields are light whatever the theme, so their text stays black; the
    // plain read-only ones keep the theme's text on the theme's window colour.
    if (look != FieldLook::ReadOnly && palette.color(group, QPalette::Text) != Qt::black) {
      palette.setColor(group, QPalette::Text, Qt::black);
      changed = true;
    }
  }
  if (changed) field->setPalette(palette);
}

// Re-applies a field's look and width when the desktop's colours or font change, so a
// dark theme or a larger font chosen while the program runs is followed.
class FieldKeeper : public QObject {
  Q_OBJECT

 public:
  FieldKeeper(QWidget* field, FieldLook look, int digits) : QObject(field), look_(look), digits_(digits) {
    field->installEventFilter(this);
  }
  void setLook(FieldLook look) { look_ = look; }
  void setDigits(int digits) { digits_ = digits; }
  void apply(QWidget* field) {
    if (auto* edit = qobject_cast<QLineEdit*>(field)) applyLook(edit, look_);
    if (digits_ > 0) field->setFixedWidth(widthForDigits(field, digits_));
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::PaletteChange:
      case QEvent::FontChange:
      case QEvent::StyleChange: apply(static_cast<QWidget*>(watched)); break;
      default: break;
    }
    return false;
  }

 private:
  FieldLook look_;
  int digits_;
};

void applyEditability(QLineEdit* field, FieldLook look) {
  field->setReadOnly(look != FieldLook::Editable);
  // Tab walks the inputs only; a read-only field can still be clicked to copy from it.
  field->setFocusPolicy(look == FieldLook::Editable ? Qt::StrongFocus : Qt::ClickFocus);
}

FieldKeeper* keeperOf(QWidget* field) {
  auto* keeper = field->findChild<FieldKeeper*>(QString(), Qt::FindDirectChildrenOnly);
  return keeper != nullptr ? keeper : new FieldKeeper(field, FieldLook::Editable, 0);
}

}  // namespace

QGridLayout* fieldGrid(QWidget* parent) {
  auto* grid = new QGridLayout(parent);
  grid->setHorizontalSpacing(kGridColumnSpacing);
  grid->setVerticalSpacing(kGridRowSpacing);
  return grid;
}

QGridLayout* groupGrid(QGroupBox* group) { return fieldGrid(group); }

void addRow(QGridLayout* grid, int row, int column, const QString& caption, QWidget* field, const QString& unit,
            const QString& key) {
  auto* label = new QLabel(caption);
  label->setObjectName(QStringLiteral("label") + key);
  label->setBuddy(field);
  field->setAccessibleName(caption);
  grid->addWidget(label, row, column, Qt::AlignRight | Qt::AlignVCenter);
  grid->addWidget(field, row, column + 1);
  if (!unit.isEmpty()) {
    auto* unitLabel = new QLabel(unit);
    unitLabel->setObjectName(QStringLiteral("unit") + key);
    grid->addWidget(unitLabel, row, column + 2);
  }
}

QLineEdit* addField(QGridLayout* grid, int row, int column, const QString& caption, const QString& unit,
                    const QString& key, FieldLook look) {
  auto* field = new QLineEdit;
  field->setObjectName(QStringLiteral("field") + key);
  // Sized and coloured in one step: each fitting measures the font.
  auto* keeper = new FieldKeeper(field, look, kFieldDigits);
  applyEditability(field, look);
  keeper->apply(field);
  addRow(grid, row, column, caption, field, unit, key);
  return field;
}

void setFieldLook(QLineEdit* field, FieldLook look) {
  applyEditability(field, look);
  FieldKeeper* keeper = keeperOf(field);
  keeper->setLook(look);
  keeper->apply(field);
}

void sizeByFont(QWidget* field, int digits) {
  FieldKeeper* keeper = keeperOf(field);
  keeper->setDigits(digits);
  keeper->apply(field);
}

QPushButton* addButton(QBoxLayout* row, const QString& text, const QString& objectName) {
  auto* button = new QPushButton(text);
  button->setObjectName(objectName);
  button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  row->addWidget(button, 1);
  return button;
}

void chainTabOrder(const QList<QWidget*>& widgets) {
  for (qsizetype i = 1; i < widgets.size(); ++i) QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

}  // namespace orvane::ui

#include "form.moc"

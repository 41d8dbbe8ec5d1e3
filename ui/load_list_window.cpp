#include "load_list_window.h"

#include "announcer.h"
#include "control_lookup.h"
#include "design/load_texts.h"
#include "design/window_texts.h"
#include "loads/load_list.h"
#include "module_plan_box.h"
#include "qt_text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vorlaine::ui {
namespace {

namespace words = design::loads;
constexpr int kColumns = 4;

QLabel* wrapping_label(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

QString lines(const std::vector<std::string>& texts) {
    QStringList out;
    for (const std::string& t : texts)
        out << QString::fromStdString(t);
    return out.join(QLatin1Char('\n'));
}

} // namespace

LoadListWindow::LoadListWindow(QWidget* form)
    : QWidget(form, Qt::Window), power_box_(control<QLineEdit>(form, QStringLiteral("Text1"))),
      hours_box_(control<QLineEdit>(form, QStringLiteral("Text3"))) {
    setObjectName(QStringLiteral("LoadListWindow"));
    setWindowTitle(qt_text(words::list_title) + QStringLiteral(" - ") +
                   qt_text(design::texts::window_caption));
    auto* layout = new QVBoxLayout(this);

    table_ = new QTableWidget(0, kColumns, this);
    table_->setAccessibleName(qt_text(words::list_title));
    QStringList headings;
    for (const std::string_view h : words::headings)
        headings << qt_text(h);
    table_->setHorizontalHeaderLabels(headings);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    // Tab leaves the list for the buttons; the arrows move between cells.
    table_->setTabKeyNavigation(false);
    table_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    layout->addWidget(table_);
    connect(table_, &QTableWidget::itemChanged, this, [this] { check(); });

    auto* buttons = new QHBoxLayout;
    const auto button = [&](std::string_view text, void (LoadListWindow::*action)()) {
        auto* b = new QPushButton(qt_text(text), this);
        connect(b, &QPushButton::clicked, this, action);
        buttons->addWidget(b);
        return b;
    };
    button(words::add_row, &LoadListWindow::add_row);
    button(words::remove_row, &LoadListWindow::remove_row);
    fill_ = button(words::fill_window, &LoadListWindow::fill_window);
    button(words::close, &LoadListWindow::hide);
    layout->addLayout(buttons);

    problems_ = wrapping_label(this);
    problems_->setStyleSheet(QStringLiteral("color: #8b0000"));
    totals_ = wrapping_label(this);
    layout->addWidget(problems_);
    layout->addWidget(totals_);
    plan_ = new ModulePlanBox(form, this);
    layout->addWidget(plan_);
    resize(560, 520);
    check();

    // The plan follows each 计算 and 清除, once their handlers are done.
    for (const char* name : {"Command1", "Command2"})
        connect(control<QPushButton>(form, QString::fromLatin1(name)), &QPushButton::clicked, plan_,
                &ModulePlanBox::refresh);
}

LoadListWindow* LoadListWindow::open(QWidget* form) {
    auto* window = form->findChild<LoadListWindow*>(QStringLiteral("LoadListWindow"),
                                                    Qt::FindDirectChildrenOnly);
    if (!window)
        window = new LoadListWindow(form);
    window->plan_->refresh();
    window->show();
    window->raise();
    window->activateWindow();
    window->table_->setFocus();
    return window;
}

QString LoadListWindow::problems_text() const {
    return problems_->text();
}

QString LoadListWindow::totals_text() const {
    return totals_->text();
}

void LoadListWindow::add_row() {
    if (table_->rowCount() >= static_cast<int>(loads::kMostRows))
        return;
    const QSignalBlocker quiet(table_);
    const int row = table_->rowCount();
    table_->insertRow(row);
    for (int column = 0; column < kColumns; ++column)
        table_->setItem(row, column, new QTableWidgetItem);
    table_->setCurrentCell(row, 0);
    table_->setFocus();
    check();
}

void LoadListWindow::remove_row() {
    const int row = table_->currentRow();
    if (row < 0)
        return;
    table_->removeRow(row);
    table_->setFocus();
    check();
}

void LoadListWindow::fill_window() {
    check();
    if (power_text_.isEmpty() || !power_box_ || !hours_box_)
        return;
    // As if typed: each box's own change handler runs.
    power_box_->setText(power_text_);
    hours_box_->setText(hours_text_);
}

std::vector<loads::LoadRow> LoadListWindow::rows() const {
    std::vector<loads::LoadRow> rows;
    for (int r = 0; r < table_->rowCount(); ++r) {
        const auto cell = [&](int c) {
            const QTableWidgetItem* item = table_->item(r, c);
            return item ? item->text().toStdString() : std::string();
        };
        rows.push_back({cell(0), cell(1), cell(2), cell(3)});
    }
    return rows;
}

void LoadListWindow::check() {
    const loads::ListCheck result = loads::check_list(rows());
    const QSignalBlocker quiet(table_);
    name_cells();
    for (const loads::CellProblem& problem : result.cells) {
        if (QTableWidgetItem* item =
                table_->item(static_cast<int>(problem.row), static_cast<int>(problem.column))) {
            item->setForeground(QColor(0x8b, 0, 0));
            item->setToolTip(QString::fromStdString(problem.message));
            item->setData(Qt::AccessibleDescriptionRole, item->toolTip());
        }
    }
    power_text_ = QString::fromStdString(result.power_text);
    hours_text_ = QString::fromStdString(result.hours_text);
    fill_->setEnabled(result.fillable);
    problems_->setText(lines(result.messages()));
    write_announced(totals_, lines(result.totals));
}

// Each cell is named by its row and column, with what it holds: a name of
// its own replaces the text a screen reader would otherwise read.
void LoadListWindow::name_cells() {
    for (int r = 0; r < table_->rowCount(); ++r)
        for (int c = 0; c < kColumns; ++c)
            if (QTableWidgetItem* item = table_->item(r, c)) {
                item->setData(Qt::AccessibleTextRole,
                              qt_text(words::row_prefix) + QString::number(r + 1) +
                                  qt_text(words::row_word) + QLatin1Char(' ') +
                                  qt_text(words::headings[static_cast<std::size_t>(c)]) +
                                  qt_text(words::colon) + item->text());
                item->setForeground(palette().text());
                item->setToolTip({});
                item->setData(Qt::AccessibleDescriptionRole, QString());
            }
}

} // namespace vorlaine::ui

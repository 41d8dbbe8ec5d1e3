// The load list (负载清单) and the module plan (配置建议): a second window,
// built the first time it is asked for, that fills the main window's
// 负载功率 and 日平均工作时间 from a list of appliances.
#pragma once

#include "loads/load_list.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vorlaine::ui {

class ModulePlanBox;

class LoadListWindow : public QWidget {
public:
    // `form` is the main window; the list fills its boxes and reads its results.
    explicit LoadListWindow(QWidget* form);

    // Shows the window (built once per main window) and puts the focus in the list.
    static LoadListWindow* open(QWidget* form);

    QTableWidget* table() const { return table_; }
    QPushButton* fill_button() const { return fill_; }
    QString problems_text() const;
    QString totals_text() const;
    ModulePlanBox* plan() const { return plan_; }
    // The rows as typed.
    std::vector<loads::LoadRow> rows() const;

    void add_row();
    void remove_row();
    void fill_window();

private:
    void check();
    void name_cells();

    QPointer<QLineEdit> power_box_;
    QPointer<QLineEdit> hours_box_;
    QTableWidget* table_ = nullptr;
    QLabel* problems_ = nullptr;
    QLabel* totals_ = nullptr;
    QPushButton* fill_ = nullptr;
    ModulePlanBox* plan_ = nullptr;
    QString power_text_;
    QString hours_text_;
};

} // namespace vorlaine::ui

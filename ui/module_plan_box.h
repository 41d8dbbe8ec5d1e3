// The module plan (配置建议) of the load list's window: four module sizes,
// kept between runs, and the batteries and panels the window's last results
// mean with them.
#pragma once

#include "loads/module_plan.h"

#include <QGroupBox>
#include <QPointer>

#include <array>

class QLabel;
class QLineEdit;

namespace vorlaine::ui {

class ModulePlanBox : public QGroupBox {
public:
    // Reads the results from `form`'s result labels whenever refresh is called.
    ModulePlanBox(QWidget* form, QWidget* parent);

    // Writes the plan again; a screen reader hears it when it changed.
    void refresh();
    QString plan_text() const;
    loads::ModuleSizes sizes() const;

private:
    void remember();

    std::array<QPointer<QLabel>, 4> results_{}; // S, Vp, C, W
    std::array<QLineEdit*, 4> modules_{};       // Vb, Cb, Pm, Vm
    QLabel* plan_ = nullptr;
};

} // namespace vorlaine::ui

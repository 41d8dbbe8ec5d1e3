#include "module_plan_box.h"

#include "announcer.h"
#include "control_lookup.h"
#include "design/load_texts.h"
#include "loads/module_plan.h"
#include "qt_text.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QVBoxLayout>

namespace vorlaine::ui {
namespace {

namespace words = design::loads;

// The result labels of the system voltage, panel voltage, battery capacity
// and panel power, in the plan's order.
constexpr std::array<const char*, 4> kResultLabels{"Label12", "Label8", "Label9", "Label13"};
constexpr std::array<const char*, 4> kSettingKeys{"modules/battery_volts", "modules/battery_ah",
                                                  "modules/panel_watts", "modules/panel_volts"};

// The program keeps its settings under its own name.
const QString kOrganisation = QStringLiteral("vorlaine");

} // namespace

ModulePlanBox::ModulePlanBox(QWidget* form, QWidget* parent)
    : QGroupBox(qt_text(words::plan_title), parent) {
    auto* layout = new QVBoxLayout(this);
    auto* sizes = new QFormLayout;
    layout->addLayout(sizes);
    const QSettings settings(kOrganisation, kOrganisation);
    for (std::size_t i = 0; i < modules_.size(); ++i) {
        results_[i] = control<QLabel>(form, QString::fromLatin1(kResultLabels[i]));
        modules_[i] = new QLineEdit(
            settings.value(QLatin1String(kSettingKeys[i]), qt_text(loads::kDefaultModules[i]))
                .toString(),
            this);
        modules_[i]->setAccessibleName(qt_text(words::module_boxes[i]));
        sizes->addRow(qt_text(words::module_boxes[i]), modules_[i]);
        connect(modules_[i], &QLineEdit::textEdited, this, [this] {
            remember();
            refresh();
        });
    }
    plan_ = new QLabel(this);
    plan_->setWordWrap(true);
    plan_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(plan_);
    refresh();
}

QString ModulePlanBox::plan_text() const {
    return plan_->text();
}

loads::ModuleSizes ModulePlanBox::sizes() const {
    loads::ModuleSizes sizes;
    for (std::size_t i = 0; i < modules_.size(); ++i)
        sizes[i] = modules_[i]->text().toStdString();
    return sizes;
}

void ModulePlanBox::remember() {
    QSettings settings(kOrganisation, kOrganisation);
    for (std::size_t i = 0; i < modules_.size(); ++i)
        settings.setValue(QLatin1String(kSettingKeys[i]), modules_[i]->text());
}

void ModulePlanBox::refresh() {
    loads::ShownResults results;
    for (std::size_t i = 0; i < results_.size(); ++i)
        results[i] = results_[i] ? results_[i]->text().toStdString() : std::string();
    const loads::ModulePlan plan = loads::plan_modules(results, sizes());
    QStringList lines;
    for (const std::string& line : plan.problems.empty() ? plan.lines : plan.problems)
        lines << QString::fromStdString(line);
    write_announced(plan_, lines.join(QLatin1Char('\n')));
}

} // namespace vorlaine::ui

#include "accessibility.h"

#include "accessible_interfaces.h"
#include "announcer.h"
#include "calc/sizing_inputs.h"
#include "control_lookup.h"
#include "solar_picture.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace vorlaine::ui {
namespace {

// The box whose change rewrites another, and the box it rewrites.
constexpr const char* kRainyDays = "Text4";
constexpr const char* kRainyInterval = "Text5";

template <typename T> T* find(const QWidget* form, const char* name) {
    return control<T>(form, QString::fromLatin1(name));
}

QString caption_naming(std::span<const ControlSpec> table, const char* box) {
    for (const ControlSpec& row : table)
        if (row.buddy && std::string_view(row.buddy) == box)
            return QString::fromUtf8(row.caption);
    return {};
}

} // namespace

void make_accessible(QWidget* form, std::span<const ControlSpec> table) {
    install_accessible_factory();

    std::vector<std::pair<QLabel*, QString>> results;
    std::vector<QObject*> rebuilt{form};
    for (const ControlSpec& row : table) {
        QWidget* control = find<QWidget>(form, row.name);
        if (row.result_name) {
            auto* label = static_cast<QLabel*>(control);
            label->setProperty(kResultProperty, QString::fromUtf8(row.result_name));
            results.emplace_back(label, QString::fromUtf8(row.result_name));
        }
        if (row.kind == Kind::Frame && !control->findChildren<QRadioButton*>().isEmpty())
            new OptionGroup(control, QStringLiteral("日照数据类型"));
        if (row.kind == Kind::Picture)
            control->setAccessibleName(QStringLiteral("太阳能照明装置图"));
        rebuilt.push_back(control);
    }
    for (int box : calc::kRequiredBoxes)
        control<QWidget>(form, QStringLiteral("Text%1").arg(box))
            ->setAccessibleDescription(QStringLiteral("必填"));

    new Announcer(form, std::move(results), find<QLineEdit>(form, kRainyDays),
                  find<QLineEdit>(form, kRainyInterval), caption_naming(table, kRainyInterval));

    // Qt may already have made interfaces for these (a label's first caption
    // reports itself, screen reader or not); those are made again.
    for (QObject* object : rebuilt)
        rebuild_accessible(object);
}

void caption_written(QLabel* label) {
    if (!QAccessible::isActive() || !label->property(kResultProperty).isValid())
        return;
    // Qt reports a new caption only for labels without a name of their own.
    QAccessibleEvent renamed(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    if (Announcer* announcer = Announcer::of(label->window()))
        announcer->results_changed();
}

} // namespace vorlaine::ui

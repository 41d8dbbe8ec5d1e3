#include "control_factory.h"

#include "accessibility.h"
#include "design/colours.h"
#include "design/window_state.h"
#include "fonts.h"
#include "readable_colour.h"
#include "rendered_images.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vorlaine::ui {
namespace {

using design::Colour;
using design::ControlSpec;
using design::Font;
using design::Kind;
using design::twips_to_pixels;

QWidget* make_widget(const ControlSpec& row, QWidget* parent) {
    const QString caption = QString::fromUtf8(row.caption ? row.caption : "");
    switch (row.kind) {
    case Kind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // Results read as numbers, so their digits line up on the right.
        if (row.result_name)
            label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        return label;
    }
    case Kind::TextBox: {
        auto* box = new QLineEdit(parent);
        box->setMaxLength(std::numeric_limits<int>::max());
        box->setText(caption);
        // Number boxes ask the input method for Latin digits, so that a
        // Chinese one in full-width mode types 100 rather than １００.
        if (design::takes_numbers_only(row.name))
            box->setInputMethodHints(Qt::ImhFormattedNumbersOnly | Qt::ImhLatinOnly);
        return box;
    }
    case Kind::Frame:
        return new QGroupBox(caption, parent);
    case Kind::Button: {
        auto* button = new QPushButton(caption, parent);
        button->setAutoDefault(false);
        return button;
    }
    case Kind::CheckBox:
        return new QCheckBox(caption, parent);
    case Kind::Option:
        return new QRadioButton(caption, parent);
    case Kind::Line: {
        auto* line = new QFrame(parent);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Plain);
        line->setLineWidth(1);
        return line;
    }
    case Kind::Picture:
        return new SolarPicture(parent);
    }
    return nullptr;
}

// A caption's own colour, drawn for the system's window colour of the moment:
// set again when the window's palette changes (a switch to a dark theme).
class CaptionColour : public QObject {
public:
    CaptionColour(QWidget* widget, QColor own) : QObject(widget), own_(own) {
        apply(widget);
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::PaletteChange)
            apply(static_cast<QWidget*>(watched));
        return false;
    }

private:
    // Only the enabled look changes: a disabled control keeps the system's grey.
    void apply(QWidget* widget) const {
        QPalette palette = widget->palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            palette.setColor(group, QPalette::WindowText,
                             readable_on(own_, palette.color(group, QPalette::Window)));
        if (palette != widget->palette()) // else its own change would come back here
            widget->setPalette(palette);
    }
    QColor own_;
};

void apply_colour(QWidget* widget, Colour colour) {
    if (const design::NamedColour* own = design::caption_colour(colour))
        new CaptionColour(widget, QColor::fromRgb(own->rgb));
}

bool takes_focus(Kind kind) {
    return kind == Kind::TextBox || kind == Kind::Button || kind == Kind::CheckBox ||
           kind == Kind::Option;
}

} // namespace

void build_controls(QWidget* form, std::span<const ControlSpec> table) {
    QWidget* frame = form;
    std::vector<std::pair<int, QWidget*>> tab_stops;
    for (const ControlSpec& row : table) {
        QWidget* widget = make_widget(row, row.in_frame ? frame : form);
        widget->setObjectName(QString::fromUtf8(row.name));
        widget->setGeometry(twips_to_pixels(row.left), twips_to_pixels(row.top),
                            twips_to_pixels(row.width), twips_to_pixels(row.height));
        if (row.font == Font::Slogan)
            widget->setFont(slogan_font());
        apply_colour(widget, row.colour);
        widget->setEnabled(row.enabled);
        describe(widget, row);
        if (row.kind == Kind::Frame)
            frame = widget;
        if (takes_focus(row.kind))
            tab_stops.emplace_back(row.tab_index, widget);
    }

    for (const ControlSpec& row : table) {
        if (!row.buddy)
            continue;
        auto* label = form->findChild<QLabel*>(QString::fromUtf8(row.name));
        auto* box = form->findChild<QWidget*>(QString::fromUtf8(row.buddy));
        if (!label || !box) // a fault in the table: say so in every build type
            throw std::out_of_range(std::string("no caption ") + row.name + " for " + row.buddy);
        label->setBuddy(box);
    }

    std::ranges::sort(tab_stops, {}, &std::pair<int, QWidget*>::first);
    for (std::size_t i = 1; i < tab_stops.size(); ++i)
        QWidget::setTabOrder(tab_stops[i - 1].second, tab_stops[i].second);
}

} // namespace vorlaine::ui

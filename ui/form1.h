// The program's one window. Its state lives in its controls, which the
// handlers read, ask the calculation core about, and write back; the one
// thing kept beside them is the record of the last 计算, for the sizing sheet.
#pragma once

#include "calc/sizing.h"
#include "sizing_sheet.h"

#include <QWidget>

#include <array>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vorlaine::ui {

class Form1 : public QWidget {
    Q_OBJECT

public:
    // Builds the window from its control table and runs Form_Load.
    explicit Form1(QWidget* parent = nullptr);

    // The sizing sheet of the last 计算 (or of the window's inputs before
    // any, and after 清除), its link to `address`.
    sheet::Content sizing_sheet(std::string_view address) const;

public slots:
    void Form_Load();
    void Form_DblClick();
    void Command1_Click();
    void Command2_Click();
    void Check2_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Text4_Change();
    // Ctrl+P: the sizing sheet through the print dialog.
    void print_sheet();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    calc::WindowInputs snapshot() const;
    void apply(const calc::Effect& effect);
    // Every caption a handler writes goes through here, so screen readers hear it.
    void write_caption(QLabel* label, const QString& text);
    void show_option_caption(const QRadioButton* option);
    void make_selected_option_the_tab_stop();
    void enable_inverter_controls(bool enabled);
    void connect_handlers();

    // The controls by their designer names: text(7) is Text7. A number with
    // no control throws, in every build type.
    QLineEdit* text(int number) const { return text_.at(static_cast<std::size_t>(number - 1)); }
    QCheckBox* check(int number) const { return check_.at(static_cast<std::size_t>(number - 1)); }
    QRadioButton* option(int number) const {
        return option_.at(static_cast<std::size_t>(number - 1));
    }
    QLabel* label(const char* name) const;

    // Typed handles on the controls the handlers use; they hold no values.
    std::array<QLineEdit*, 10> text_{};     // Text1 ... Text10
    std::array<QCheckBox*, 4> check_{};     // Check1 ... Check4
    std::array<QRadioButton*, 4> option_{}; // Option1 ... Option4
    QCheckBox* inverter() const;

    // What the last 计算 read, wrote and said, for the sizing sheet alone: no
    // handler reads it. 清除 ends it, as it empties the results.
    std::optional<design::sheet::Record> record_;
    // The print module's printer, once loaded; a failed load is tried again.
    sheet::Printer* printer_ = nullptr;
};

} // namespace vorlaine::ui

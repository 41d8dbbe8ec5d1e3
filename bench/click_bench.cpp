// One press of 计算 in the real window: from the mouse click to the five result
// captions written. Each click is timed on its own so that the median can be
// reported; the labels are emptied and the window repainted between clicks,
// outside the timed part, so that every click really writes its captions.
#include "goal_report.h"

#include "calc/sizing.h"
#include "ui/fonts.h"
#include "ui/form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <chrono>
#include <string>
#include <vector>

namespace {

using namespace vorlaine;

// Without the inverter no notice is raised, so a click only writes captions.
const std::array<const char*, 10> kTexts = {"60",   "12",  "5",    "1", "5",
                                            "0.75", "0.8", "0.85", "5", "30"};
const std::array<const char*, 5> kResultLabels = {"Label12", "Label8", "Label9", "Label13",
                                                  "Label15"};

struct Window {
    ui::Form1 form;
    QPushButton* compute = nullptr;
    std::array<QLabel*, 5> results{};
    std::array<QString, 5> expected;
    bool notice_seen = false;
    QTimer notice_watch;

    Window() {
        form.show();
        for (std::size_t i = 0; i < kTexts.size(); ++i)
            form.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(i + 1))
                ->setText(QString::fromLatin1(kTexts[i]));
        form.findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(false);
        form.findChild<QRadioButton*>(QStringLiteral("Option1"))->setChecked(true);
        compute = form.findChild<QPushButton*>(QStringLiteral("Command1"));
        for (std::size_t i = 0; i < results.size(); ++i)
            results[i] = form.findChild<QLabel*>(QString::fromLatin1(kResultLabels[i]));

        // The captions the calculation core gives for these inputs.
        calc::WindowInputs in;
        for (std::size_t i = 0; i < kTexts.size(); ++i)
            in.texts[i] = kTexts[i];
        in.sunshine = calc::SunshineKind::EffectiveHours;
        for (const calc::Effect& effect : calc::calculate(in))
            if (const auto* write = std::get_if<calc::CaptionWrite>(&effect))
                for (std::size_t i = 0; i < results.size(); ++i)
                    if (write->label == kResultLabels[i])
                        expected[i] = QString::fromStdString(write->text);

        // A notice would stop the click in its own event loop; close it and
        // fail the benchmark rather than hang.
        notice_watch.setInterval(1);
        QObject::connect(&notice_watch, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                notice_seen = true;
                modal->close();
            }
        });
        notice_watch.start();
        QApplication::processEvents();
    }

    void clear_results() {
        for (QLabel* label : results)
            label->clear();
    }

    bool results_written() const {
        for (std::size_t i = 0; i < results.size(); ++i)
            if (expected[i].isEmpty() || results[i]->text() != expected[i])
                return false;
        return true;
    }

    void click() {
        QTest::mouseClick(compute, Qt::LeftButton, Qt::NoModifier, compute->rect().center());
    }
};

Window* window = nullptr;

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

double percentile(std::vector<double> samples, double p) {
    std::sort(samples.begin(), samples.end());
    const auto index = static_cast<std::size_t>(p * static_cast<double>(samples.size() - 1));
    return samples[index];
}

// `repaint`: also let Qt repaint the changed labels inside the timed part.
void time_clicks(benchmark::State& state, bool repaint) {
    Window& w = *window;
    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(state.max_iterations));
    for (auto _ : state) {
        w.clear_results();
        QApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        w.click();
        if (repaint)
            QApplication::processEvents();
        const auto stop = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(stop - start).count();
        state.SetIterationTime(seconds);
        samples.push_back(seconds * 1e6);
        if (w.notice_seen) {
            state.SkipWithError("a notice was shown: the inputs no longer avoid one");
            return;
        }
        if (!w.results_written()) {
            state.SkipWithError("the click did not write the five result captions");
            return;
        }
    }
    state.counters["median_us"] = median(samples);
    state.counters["p90_us"] = percentile(samples, 0.9);
    state.counters["min_us"] = percentile(samples, 0.0);
}

void BM_ClickCompute(benchmark::State& state) {
    time_clicks(state, false);
}
BENCHMARK(BM_ClickCompute)->UseManualTime()->Iterations(20000)->Unit(benchmark::kMicrosecond);

// For information: the same click with the repaint of the window it causes.
void BM_ClickComputeAndPaint(benchmark::State& state) {
    time_clicks(state, true);
}
BENCHMARK(BM_ClickComputeAndPaint)
    ->UseManualTime()
    ->Iterations(5000)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(ui::dialog_font());
    Window w;
    window = &w;
    return bench::run_with_goals(
        argc, argv, {{"BM_ClickCompute", "median_us", "us median per click", 100, false, 1}});
}
